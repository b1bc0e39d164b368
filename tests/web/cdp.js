// A small client of the DevTools protocol for the page tests: starts
// Debian's Chromium headless with the protocol on a pipe (file
// descriptors 3 and 4, messages ended by a NUL byte), so it needs no
// WebSocket and no package from npm, and talks to one page through a
// flat session.
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

// The browser's options: software WebGL (SwiftShader), and no traffic
// of its own, as the test machine's network is closed.
function browserArgs(profile, extra) {
  const args = [
    "--headless", "--remote-debugging-pipe", "--user-data-dir=" + profile,
    "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
    "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--no-first-run", "--disable-quic",
    "--window-size=800,900", ...extra, "about:blank",
  ];
  // Root may not use the browser's sandbox.
  if (process.getuid && process.getuid() === 0)
    args.unshift("--no-sandbox");
  return args;
}

class Browser {
  // Starts the browser; its own messages go to logFile.
  constructor(executable, logFile, extraArgs = []) {
    this.profile = fs.mkdtempSync(path.join(os.tmpdir(), "drive-chromium-"));
    const log = fs.openSync(logFile, "a");
    this.child = spawn(executable, browserArgs(this.profile, extraArgs),
                       { stdio: ["ignore", log, log, "pipe", "pipe"] });
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.exited = new Promise((resolve) => this.child.on("exit", resolve));
    let buffer = "";
    this.child.stdio[4].on("data", (chunk) => {
      buffer += chunk.toString("utf8");
      let end;
      while ((end = buffer.indexOf("\0")) >= 0) {
        this.dispatch(JSON.parse(buffer.slice(0, end)));
        buffer = buffer.slice(end + 1);
      }
    });
  }

  dispatch(message) {
    if (message.id !== undefined) {
      const waiting = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error)
        waiting.reject(new Error(waiting.method + ": " + message.error.message));
      else
        waiting.resolve(message.result);
      return;
    }
    for (const listener of this.listeners)
      listener(message);
  }

  // Sends one command (to the page's session if given); resolves to its
  // result.
  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId)
      message.sessionId = sessionId;
    this.child.stdio[3].write(JSON.stringify(message) + "\0");
    return new Promise((resolve, reject) =>
      this.pending.set(id, { resolve, reject, method }));
  }

  // Calls listener(method, params) for every event.
  on(listener) {
    this.listeners.push((m) => listener(m.method, m.params || {}));
  }

  // The first page, attached: a Page whose send goes to its session.
  async page() {
    const { targetInfos } = await this.send("Target.getTargets");
    const target = targetInfos.find((t) => t.type === "page");
    const { sessionId } = await this.send(
        "Target.attachToTarget", { targetId: target.targetId, flatten: true });
    return { send: (method, params) => this.send(method, params, sessionId) };
  }

  async close() {
    this.send("Browser.close").catch(() => {});
    const closed = await Promise.race([
      this.exited.then(() => true),
      new Promise((resolve) => setTimeout(() => resolve(false), 20000)),
    ]);
    if (!closed) {
      this.child.kill("SIGKILL");
      await this.exited;
    }
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

module.exports = { Browser };
