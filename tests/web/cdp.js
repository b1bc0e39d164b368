// A small client of the DevTools protocol for the page tests: starts
// Debian's Chromium headless with the protocol on a pipe (file
// descriptors 3 and 4, messages ended by a NUL byte), so it needs no
// WebSocket and no package from npm, and talks to one page through a
// flat session.
"use strict";
const { spawn } = require("child_process");
const { until, closed, PageBase } = require("./page_checks");
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
    return this.attach(targetInfos.find((t) => t.type === "page").targetId);
  }

  async attach(targetId) {
    const { sessionId } = await this.send(
        "Target.attachToTarget", { targetId, flatten: true });
    return { targetId,
             send: (method, params) => this.send(method, params, sessionId) };
  }

  async close() {
    this.send("Browser.close").catch(() => {});
    await closed(this);
  }
}

// One page of the browser as the page tests use it (PageBase): its
// script errors collected, its values, screenshots, keys and files.
class PageUnderTest extends PageBase {
  constructor(browser, page, work) {
    super(work);
    this.browser = browser;
    this.page = page;
    this.consoleErrors = [];
    this.loads = 0;
    browser.on((method, params) => {
      if (method === "Page.loadEventFired")
        this.loads++;
      if (method === "Runtime.exceptionThrown")
        this.uncaught.push(params.exceptionDetails.exception
                               ? params.exceptionDetails.exception.description
                               : params.exceptionDetails.text);
      if (method === "Runtime.consoleAPICalled" && params.type === "error")
        this.consoleErrors.push(params.args.map((a) => a.value).join(" "));
    });
  }

  // Opens the page in a window of 800 x 480, where the picture is
  // 640 x 480 as the Linux build's.
  async open(url) {
    await this.page.send("Runtime.enable");
    await this.page.send("Page.enable");
    await this.screen(800, 480, 1, false);
    await this.page.send("Page.navigate", { url });
  }

  // Opens url in a new tab, the old one closed first: no page of the
  // last visit is left open, as when a person comes back.
  async visitAnew(url) {
    const { targetId } = await this.browser.send("Target.createTarget",
                                                 { url: "about:blank" });
    await this.browser.send("Target.closeTarget",
                            { targetId: this.page.targetId });
    this.page = await this.browser.attach(targetId);
    await this.open(url);
  }

  async reload() {
    const loads = this.loads;
    await this.page.send("Page.reload", { ignoreCache: true });
    await until("the page has loaded again", 60, () => this.loads > loads);
  }

  screen(width, height, deviceScaleFactor, mobile) {
    return this.page.send("Emulation.setDeviceMetricsOverride",
                          { width, height, deviceScaleFactor, mobile });
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.page.send(
        "Runtime.evaluate",
        { expression, returnByValue: true, awaitPromise: true });
    if (exceptionDetails)
      throw new Error(expression + ": " + exceptionDetails.text);
    return result.value;
  }

  async screenshot({ x, y, width, height }) {
    const { data } = await this.page.send("Page.captureScreenshot", {
      format: "png", clip: { x, y, width, height, scale: 1 },
    });
    return data;
  }

  key(down, code) {
    const codes = { ArrowUp: 38, ArrowLeft: 37, Escape: 27 };
    return this.page.send("Input.dispatchKeyEvent", {
      type: down ? "keyDown" : "keyUp", code, key: code,
      windowsVirtualKeyCode: codes[code],
    });
  }

  // Where the page's downloads go from now on: a new folder of work.
  async downloads() {
    const folder = fs.mkdtempSync(path.join(this.work, "downloads-"));
    await this.browser.send("Browser.setDownloadBehavior",
                            { behavior: "allow", downloadPath: folder });
    return folder;
  }

  async choose(inputId, file) {
    const { result } = await this.page.send("Runtime.evaluate", {
      expression: "document.getElementById('" + inputId + "')",
    });
    await this.page.send("DOM.setFileInputFiles",
                         { files: [file], objectId: result.objectId });
  }
}

module.exports = { Browser, PageUnderTest };
