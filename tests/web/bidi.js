// A small client of WebDriver BiDi, Firefox's remote protocol, for the
// page tests: starts Debian's Firefox ESR on the display it is given (it
// has no WebGL headless) with a fresh profile and the protocol on a free
// port, and talks to its first tab over a WebSocket (Debian's node-ws).
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const WebSocket = require("ws");
const { until, closed, PageBase } = require("./page_checks");

// No traffic of Firefox's own, as the test machine's network is closed;
// the remote agent's recommended settings do the rest.
const prefs = {
  "app.update.disabledForTesting": true,
  "browser.shell.checkDefaultBrowser": false,
  "browser.startup.homepage_override.mstone": "ignore",
  "datareporting.policy.dataSubmissionEnabled": false,
  "network.captive-portal-service.enabled": false,
  "network.connectivity-service.enabled": false,
  "browser.safebrowsing.update.enabled": false,
};

// Downloads go to a folder of the profile, without a question.
const downloadPrefs = (folder) => ({
  "browser.download.folderList": 2,
  "browser.download.dir": folder,
  "browser.download.useDownloadDir": true,
  "browser.download.always_ask_before_handling_new_types": false,
});

class Firefox {
  constructor(executable, logFile) {
    this.profile = fs.mkdtempSync(path.join(os.tmpdir(), "drive-firefox-"));
    this.downloads = path.join(this.profile, "downloads");
    fs.mkdirSync(this.downloads);
    const all = { ...prefs, ...downloadPrefs(this.downloads) };
    fs.writeFileSync(path.join(this.profile, "user.js"),
                     Object.entries(all).map(([name, value]) =>
                         "user_pref(" + JSON.stringify(name) + ", " +
                         JSON.stringify(value) + ");\n").join(""));
    this.log = fs.openSync(logFile, "a");
    this.child = spawn(executable, [
      "--remote-debugging-port", "0", "--profile", this.profile,
      "--no-remote", "--width", "900", "--height", "700", "about:blank",
    ], { stdio: ["ignore", this.log, "pipe"] });
    this.exited = new Promise((resolve) => this.child.on("exit", resolve));
    this.said = "";
    this.child.stderr.on("data", (chunk) => {
      this.said += chunk;
      fs.writeSync(this.log, chunk);
    });
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
  }

  // Connects and starts a session; resolves to the first tab's context.
  async connect() {
    const url = await until("Firefox listens", 60, () =>
        (this.said.match(/WebDriver BiDi listening on (ws:\S+)/) || [])[1]);
    this.socket = new WebSocket(url + "/session");
    await new Promise((resolve, reject) => {
      this.socket.on("open", resolve);
      this.socket.on("error", reject);
    });
    this.socket.on("message", (data) => this.dispatch(JSON.parse(data)));
    await this.send("session.new", { capabilities: {} });
    const { contexts } = await this.send("browsingContext.getTree", {});
    return contexts[0].context;
  }

  dispatch(message) {
    if (message.type === "event") {
      for (const listener of this.listeners)
        listener(message.method, message.params);
      return;
    }
    const waiting = this.pending.get(message.id);
    this.pending.delete(message.id);
    if (message.type === "error")
      waiting.reject(new Error(waiting.method + ": " + message.error + ": " +
                               message.message));
    else
      waiting.resolve(message.result);
  }

  send(method, params) {
    const id = this.nextId++;
    this.socket.send(JSON.stringify({ id, method, params }));
    return new Promise((resolve, reject) =>
      this.pending.set(id, { resolve, reject, method }));
  }

  on(listener) {
    this.listeners.push(listener);
  }

  async close() {
    if (this.socket)
      this.send("browser.close", {}).catch(() => {});
    await closed(this);
  }
}

// WebDriver's codes for the keys the tests press.
const keyValues = { ArrowUp: "\uE013", ArrowLeft: "\uE012", Escape: "\uE00C" };

// The tab as the page tests use it (PageBase).
class FirefoxPage extends PageBase {
  constructor(firefox, context, work) {
    super(work);
    this.firefox = firefox;
    this.context = context;
    firefox.on((method, params) => {
      if (method === "log.entryAdded" && params.type === "javascript" &&
          params.level === "error")
        this.uncaught.push(params.text);
    });
  }

  // Opens the page in a viewport of 800 x 480, as the Chromium tests do.
  async open(url) {
    await this.firefox.send("session.subscribe", { events: ["log.entryAdded"] });
    await this.firefox.send("browsingContext.setViewport", {
      context: this.context, viewport: { width: 800, height: 480 },
    });
    await this.firefox.send("browsingContext.navigate",
                            { context: this.context, url, wait: "complete" });
  }

  // Opens url in a new tab, the old one closed first: no page of the
  // last visit is left open, as when a person comes back.
  async visitAnew(url) {
    const { context } = await this.firefox.send("browsingContext.create",
                                                { type: "tab" });
    await this.firefox.send("browsingContext.close", { context: this.context });
    this.context = context;
    await this.open(url);
  }

  // Through JSON, so that values come back as plain ones.
  async evaluate(expression) {
    const reply = await this.firefox.send("script.evaluate", {
      expression: "(async () => JSON.stringify(await (" + expression +
                  ")))()",
      target: { context: this.context }, awaitPromise: true,
    });
    if (reply.type === "exception")
      throw new Error(expression + ": " + reply.exceptionDetails.text);
    const json = reply.result.value;
    return json === undefined ? undefined : JSON.parse(json);
  }

  async screenshot({ x, y, width, height }) {
    const { data } = await this.firefox.send("browsingContext.captureScreenshot", {
      context: this.context, clip: { type: "box", x, y, width, height },
    });
    return data;
  }

  key(down, code) {
    return this.firefox.send("input.performActions", {
      context: this.context,
      actions: [{ type: "key", id: "keyboard", actions: [
        { type: down ? "keyDown" : "keyUp", value: keyValues[code] },
      ] }],
    });
  }

  // Where the page's downloads go: the profile's folder.
  async downloads() {
    return this.firefox.downloads;
  }

  async choose(inputId, file) {
    const { result } = await this.firefox.send("script.evaluate", {
      expression: "document.getElementById('" + inputId + "')",
      target: { context: this.context }, awaitPromise: false,
    });
    await this.firefox.send("input.setFiles", {
      context: this.context, element: { sharedId: result.sharedId },
      files: [file],
    });
  }
}

module.exports = { Firefox, FirefoxPage };
