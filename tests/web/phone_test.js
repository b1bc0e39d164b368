// The page as a phone, a gamepad and an offline visit meet it, in
// headless Chromium through the DevTools protocol (cdp.js): the
// protocol emulates a phone's screen (at twice its pixels) and touch,
// and the test puts a stand-in for navigator.getGamepads in the page.
// The keys the program gets are recorded in its frame, by a listener
// beside the program's own: each touch control and each input of the
// pad holds its own key (web_layer_tests pins each key's meaning).
//   phone_test.js FOLDER
"use strict";
const { Browser, PageUnderTest } = require("./cdp");
const { until, serve, pixelsDiffering, showsSkyAndRoad, easyToHit, storeOf,
        storeNames, copyOf, rebuiltTitle, newVersionReaches } =
    require("./page_checks");
const { spawnSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const folder = process.argv[2];
const work = fs.mkdtempSync(path.join(os.tmpdir(), "drive-phone-"));
const chromium = process.env.CHROMIUM || "chromium";

// In the page: the picture's box, how wide the page is laid out, and the
// canvas's backing store.
const measure = `JSON.stringify((() => {
  const frame = document.querySelector("#screen iframe");
  const canvas = frame?.contentDocument?.getElementById("canvas");
  if (!canvas)
    return null;
  const box = frame.getBoundingClientRect();
  return { width: box.width, height: box.height, innerWidth, innerHeight,
           scrollWidth: document.documentElement.scrollWidth,
           canvas: [canvas.width, canvas.height] };
})())`;

// Each screen: the picture 4:3, as wide (portrait) or as tall
// (landscape) as the window, nothing wider than the window, drawn at
// the screen's pixels (twice the picture's size, never below 640 x 480),
// and every control easy to hit.
// The window is the one the browser gives, which may differ from the
// size asked for by a pixel or two, and a fraction of a pixel from its
// rounded innerWidth and innerHeight; the canvas is sized from the
// frame's whole-pixel client size.
// With the model panel open: it lies under the picture (and its touch
// controls), the car is drawn at the screen's pixels, and the charts,
// which change at every drawing, at one pixel a CSS pixel.
const panelFits = `(() => {
  const panel = document.getElementById("model-panel").getBoundingClientRect();
  const stage = document.getElementById("stage").getBoundingClientRect();
  const [car, charts] = ["model-car", "model-charts"].map((id) =>
      document.getElementById(id));
  return panel.top >= stage.bottom - 1 &&
      car.width === Math.round(car.clientWidth * devicePixelRatio) &&
      charts.width === charts.clientWidth &&
      charts.height === charts.clientHeight;
})()`;

async function fitsScreens(page, panel = false) {
  for (const [w, h] of [[844, 390], [320, 568], [390, 844]]) {
    await page.screen(w, h, 2, true);
    const fit = (m) => Math.abs(m.width / m.height - 4 / 3) < 0.01 &&
        Math.abs((w < h ? m.width - m.innerWidth : m.height - m.innerHeight)) <
            1 &&
        m.scrollWidth <= m.innerWidth &&
        Math.abs(m.canvas[0] - Math.max(640, 2 * m.width)) <= 2;
    const m = await until(w + " x " + h + " fits", 30, async () => {
      const got = JSON.parse(await page.evaluate(measure));
      return got && fit(got) && (!panel || await page.evaluate(panelFits)) &&
          got;
    }).catch(async (error) => {
      throw new Error(error.message + ": " + await page.evaluate(measure));
    });
    console.log(w + " x " + h + ": picture " + m.width + " x " + m.height +
                ", drawn at " + m.canvas.join(" x ") +
                (panel ? ", the model panel under it" : ""));
    await easyToHit(page, w + " x " + h + ", touch controls shown" +
                    (panel ? ", the model panel open" : ""));
  }
}

// Where the button of that accessible name is, in the page's pixels.
async function buttonCentre(page, name) {
  const { root } = await page.page.send("DOM.getDocument", { depth: 0 });
  const { nodes } = await page.page.send("Accessibility.queryAXTree",
      { nodeId: root.nodeId, accessibleName: name, role: "button" });
  if (nodes.length !== 1)
    throw new Error(nodes.length + " buttons named " + name);
  const { model } = await page.page.send("DOM.getBoxModel",
      { backendNodeId: nodes[0].backendDOMNodeId });
  const q = model.content;
  return { x: (q[0] + q[4]) / 2, y: (q[1] + q[5]) / 2 };
}

// Fingers on the named buttons until check gives a true value.
async function touchUntil(page, names, what, check) {
  const touchPoints = [];
  for (const [id, name] of names.entries())
    touchPoints.push({ ...(await buttonCentre(page, name)), id });
  await page.page.send("Input.dispatchTouchEvent",
                       { type: "touchStart", touchPoints });
  try {
    return await until(what, 60, check);
  } finally {
    await page.page.send("Input.dispatchTouchEvent",
                         { type: "touchEnd", touchPoints: [] });
  }
}

// Records the key events the program's frame gets, as "keydown ArrowUp".
// keysHeard(count) resolves once that many have come, or after a second.
const recordKeys = `(() => {
  const w = document.querySelector("#screen iframe").contentWindow;
  window.keysGot = [];
  window.keyHeard = () => {};
  window.keysHeard = (count) => new Promise((resolve) => {
    keyHeard = () => keysGot.length >= count && resolve(true);
    keyHeard();
    setTimeout(() => resolve(false), 1000);
  });
  if (!w.recorded)
    for (const type of ["keydown", "keyup"])
      w.addEventListener(type, (e) => {
        keysGot.push(type + " " + e.code);
        keyHeard();
      });
  w.recorded = true;
})()`;
const keysGot = async (page) => (await page.evaluate("keysGot.join()"))
    .split(",").filter((e) => e !== "");

// Whether the events held all the codes at one time, or leave all up.
function keysDown(events, codes) {
  const down = new Set();
  let together = false;
  for (const [type, code] of events.map((e) => e.split(" "))) {
    if (type === "keydown")
      down.add(code);
    else
      down.delete(code);
    together = together || codes.every((c) => down.has(c));
  }
  return { together, allUp: down.size === 0 };
}

async function firstFrame(page) {
  return until("the canvas shows sky and road", 60, async () => {
    const file = await page.capture("phone-first");
    return file && showsSkyAndRoad(file) && file;
  });
}

// Where the road's white markings are across the picture, from -1 (its
// left edge) to 1 (its right), or null if none shows: a turn to the
// left moves the road to the right.
function markings(file) {
  const band = spawnSync("convert", [file, "-crop", "640x100+0+230",
                                     "-colorspace", "gray", "-depth", "8",
                                     "gray:-"]).stdout;
  let sum = 0;
  let count = 0;
  for (let i = 0; i < band.length; ++i)
    if (band[i] > 200) {
      sum += i % 640;
      ++count;
    }
  return count > 20 ? sum / count / 320 - 1 : null;
}

// In the page: the program's frames on a leash. The program waits for an
// animation frame at each flip (and steps once a frame, polling the keys
// at most once); once this is in, it waits there until runFrames(count)
// lets it draw that many more frames, and the promise resolves when it
// waits again. The picture then stays as the last frame drew it, so a
// capture shows a known moment of the drive, however late it is taken.
const leashFrames = `(() => {
  const w = document.querySelector("#screen iframe").contentWindow;
  const ask = w.requestAnimationFrame.bind(w);
  const leash = { left: 0, waiting: [], parked: () => {} };
  w.requestAnimationFrame = (callback) => {
    if (leash.left > 0) {
      leash.left--;
      return ask(callback);
    }
    leash.waiting.push(callback);
    leash.parked();
    return 0;
  };
  window.runFrames = (count) => new Promise((resolve) => {
    leash.left = count;
    leash.parked = resolve;
    for (const callback of leash.waiting.splice(0))
      w.requestAnimationFrame(callback);
  });
})()`;

// Fingers on the named buttons for exactly that many of the program's
// frames (leashFrames), once their keys have reached it.
async function touchFrames(page, names, codes, frames) {
  const events = (await keysGot(page)).length;
  await touchUntil(page, names, names.join(" and ") + " held", async () => {
    if (!keysDown((await keysGot(page)).slice(events), codes).together)
      return false;
    return page.evaluate("runFrames(" + frames + ").then(() => true)");
  });
  await until("the fingers let go", 30,
              async () => keysDown(await keysGot(page), []).allUp);
}

// Steer left and Throttle up held for 30 frames, some 25 polls (full
// lock takes 65), then 60 frames with the wheels straight: the car has
// turned left, its view the road's markings further right than before.
// A turn to the right, the wrong way, moves them left.
async function turnsLeft(page) {
  const before = markings(await page.capture("before-turn"));
  await touchFrames(page, ["Steer left", "Throttle up"],
                    ["ArrowLeft", "ArrowUp"], 30);
  await page.evaluate("runFrames(60)");
  const after = markings(await page.capture("after-turn"));
  console.log("markings before the turn " + before + ", after " + after);
  if (!(after - before > 0.05))
    throw new Error("the view has not turned left: the markings went from " +
                    before + " to " + after);
}

// Throttle up held for 60 frames moves the view, then two fingers turn
// it left, the program's frames on a leash throughout.
async function touchDrive(page) {
  await firstFrame(page);
  await page.evaluate(recordKeys + ";" + leashFrames);
  await page.evaluate("runFrames(0)");
  const first = await page.capture("phone-first");
  await touchFrames(page, ["Throttle up"], ["ArrowUp"], 60);
  const moved = pixelsDiffering(first, await page.capture("phone-moved"), "2%");
  console.log("Throttle up for 60 frames: " + moved + " pixels changed");
  if (!(moved > 10000))
    throw new Error("Throttle up has not moved the view");
  await turnsLeft(page);
  await page.evaluate("runFrames(Infinity), true"); // off the leash
  console.log("touch: Throttle up moves the view, two fingers turn it left");
}

// Holds one control (hold(), let go by release()) and checks that its key
// alone went down and came up again.
async function holdsKey(page, name, code, hold, release) {
  const before = (await keysGot(page)).length;
  const events = async (count, what) => {
    await until(name + " " + what, 30,
                () => page.evaluate("keysHeard(" + (before + count) + ")"));
    return (await keysGot(page)).slice(before);
  };
  await hold();
  await events(1, "holds a key");
  await release();
  const got = await events(2, "lets go");
  if (got.join() !== "keydown " + code + ",keyup " + code)
    throw new Error(name + " should hold " + code + ", got: " + got.join());
}

// Each touch control and the key it holds.
const touchKeys = [
  ["Steer left", "ArrowLeft"], ["Steer right", "ArrowRight"],
  ["Throttle up", "ArrowUp"], ["Throttle down", "ArrowDown"],
  ["Brake", "Space"], ["Grippy", "F1"], ["Slippery", "F2"],
  ["Back to the start", "F12"], ["Quit", "Escape"],
];

async function touchKeysHeld(page) {
  for (const [name, code] of touchKeys) {
    const at = await buttonCentre(page, name);
    const touch = (type, touchPoints) => page.page.send(
        "Input.dispatchTouchEvent", { type, touchPoints });
    await holdsKey(page, name, code, () => touch("touchStart", [at]),
                   () => touch("touchEnd", []));
  }
  console.log("touch: each control holds its key");
}

// A standard pad, all at rest, in place of the browser's, which tells of
// it as a browser does.
const plugPad = `(() => {
  const button = () => ({ pressed: false, touched: false, value: 0 });
  window.pad = { id: "stand-in", index: 0, connected: true,
                 mapping: "standard", axes: [0, 0, 0, 0],
                 buttons: Array.from({ length: 17 }, button) };
  navigator.getGamepads = () => [window.pad, null, null, null];
  window.dispatchEvent(new Event("gamepadconnected"));
})()`;

async function gamepad(page) {
  const before = await page.capture("pad-before");
  await page.evaluate(plugPad + ";" + recordKeys);
  await page.evaluate("pad.buttons[7] = { pressed: true, touched: true, " +
                      "value: 1 }");
  await until("the right trigger moves the view", 60, async () =>
      pixelsDiffering(before, await page.capture("pad-moved"), "2%") > 10000);
  await page.evaluate("navigator.getGamepads = () => [null, null, null, null]");
  await until("the pad unplugged lets go", 30,
              async () => keysDown(await keysGot(page), []).allUp);
  console.log("gamepad: " + (await keysGot(page)).join(", "));
}

// Each of the pad's inputs (standard mapping), as the stand-in pad's
// state, and the key it holds; a trigger may report its travel alone.
const pressed = (i) => "pad.buttons[" + i + "] = { pressed: true, " +
                       "touched: true, value: 1 }";
const padKeys = [
  ["d-pad left", pressed(14), "ArrowLeft"],
  ["d-pad right", pressed(15), "ArrowRight"],
  ["left stick left", "pad.axes[0] = -0.6", "ArrowLeft"],
  ["left stick right", "pad.axes[0] = 0.6", "ArrowRight"],
  ["right trigger", pressed(7), "ArrowUp"],
  ["left trigger", "pad.buttons[6] = { pressed: false, touched: true, " +
                   "value: 0.8 }", "ArrowDown"],
  ["bottom face button", pressed(0), "Space"],
  ["left shoulder", pressed(4), "F1"], ["right shoulder", pressed(5), "F2"],
  ["Start", pressed(9), "F12"], ["Back", pressed(8), "Escape"],
];

async function padKeysHeld(page) {
  await page.evaluate(plugPad);
  for (const [name, input, code] of padKeys)
    await holdsKey(page, name, code, () => page.evaluate(input),
                   () => page.evaluate(plugPad));
  console.log("gamepad: each input holds its key");
}

async function quit(page) {
  await touchUntil(page, ["Quit"], "the program ends",
                   async () => (await page.exitStatus()) !== undefined);
  await page.ended(0, 5);
  console.log("Quit: status 0");
}

// A first visit stores the page, in the store named by the served
// folder's worker, and makes it installable (manifest and icons); with
// the server gone a reload starts the program from the store.
async function offline(page, server, served) {
  const store = storeOf(served);
  await until("the page is stored", 60,
              async () => (await page.evaluate(storeNames)) === store);
  const { installabilityErrors } =
      await page.page.send("Page.getInstallabilityErrors");
  if (installabilityErrors.length > 0)
    throw new Error("not installable: " + JSON.stringify(installabilityErrors));
  await server.stop();
  await page.reload();
  await firstFrame(page);
  console.log("offline: the program starts from the store " + store);
}

// The served folder rebuilt reaches the page (reload chosen), and starts
// without the server afterwards.
async function rebuilt(page, server, served) {
  await newVersionReaches(page, served, server.url, true);
  await server.stop();
  await page.visitAnew(server.url);
  await firstFrame(page);
  if ((await page.evaluate("document.title")) !== rebuiltTitle)
    throw new Error("offline, the page before the rebuild starts");
  console.log("offline: the rebuilt page starts from its store");
}

// What the page gets for a file, fetched afresh: its status, whether the
// worker answered (Chromium's network events say) and whether the server
// was asked, known once a later request that the worker passes on has
// reached the server's log.
async function fetched(page, server, file) {
  const before = server.asked().length;
  const answers = [];
  page.onNetwork = (method, params) => {
    if (method === "Network.responseReceived" &&
        params.response.url.endsWith("/" + file))
      answers.push(params.response.fromServiceWorker);
  };
  const get = (name) => page.evaluate(
      "fetch('" + name + "', { cache: 'no-store' }).then((r) => r.status)");
  const status = await get(file);
  await until(file + "'s answer is seen", 30, () => answers.length > 0);
  const mark = "/logged?" + before;
  await get(mark);
  await until("the server's log", 30,
              () => server.asked().slice(before).includes(mark));
  return [status, answers[0], server.asked().slice(before).includes("/" + file)];
}

// The worker answers the requests for the files it stores and no other:
// from its store, or from the network where its store is gone; never
// with a failure of its own. A start asks it for nothing: the program's
// frame makes no request, which a frame replaced while loading would
// leave behind (Firefox reports such a request as the worker's failure).
const workerAnswers = (store) => [
  // what, before, file, [status, from the worker, from the server]
  ["a stored file", "", "lep.bmp", [200, true, false]],
  ["a file not stored", "", "no-such-file", [404, false, true]],
  ["a stored file, the store deleted", "caches.delete('" + store + "')",
   "lep.bmp", [200, true, true]],
];

async function worker(page, server, served) {
  const frame = "document.querySelector('#screen iframe').contentWindow";
  const asked = await page.evaluate(frame + ".location.href + ' ' + " + frame +
                                    ".performance.getEntriesByType('resource').length");
  if (asked !== "about:srcdoc 0")
    throw new Error("the program's frame asked for files: " + asked);
  await page.page.send("Network.enable");
  for (const [what, before, file, expected] of workerAnswers(storeOf(served))) {
    if (before)
      await page.evaluate(before);
    const got = await fetched(page, server, file);
    if (got.join() !== expected.join())
      throw new Error(what + ": [status, from the worker, from the server] " +
                      got.join() + ", not " + expected.join());
  }
  console.log("worker: answers stored files alone, from the network " +
              "without its store; the frame asks it for nothing");
}

async function withPage(url, body) {
  const browser = new Browser(chromium, path.join(work, "chromium.log"));
  try {
    const page = new PageUnderTest(browser, await browser.page(), work);
    browser.on((method, params) => page.onNetwork &&
                                   page.onNetwork(method, params));
    await page.page.send("Emulation.setTouchEmulationEnabled",
                         { enabled: true, maxTouchPoints: 5 });
    await page.open(url);
    await body(page);
    if (page.uncaught.length > 0)
      throw new Error("uncaught errors: " + page.uncaught.join("; "));
  } finally {
    await browser.close();
  }
}

async function main() {
  const served = copyOf(folder, work); // the second page rebuilds it
  let server = await serve(served);
  try {
    await withPage(server.url, async (page) => {
      await fitsScreens(page);
      await page.evaluate("document.getElementById('model-toggle').click()");
      await fitsScreens(page, true);
      await page.evaluate("document.getElementById('model-toggle').click()");
      await touchDrive(page);
      await gamepad(page);
      await quit(page);
      // The keys are recorded in the ended program's frame.
      await touchKeysHeld(page);
      await padKeysHeld(page);
    });
    await withPage(server.url, async (page) => {
      await offline(page, server, served);
      server = await serve(served, server.port); // the same origin
      await rebuilt(page, server, served);
      server = await serve(served, server.port);
      await worker(page, server, served);
    });
  } finally {
    await server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().then(() => console.log("ok"), (error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
