// The page end to end in Chromium, headless, on SwiftShader's software
// WebGL, driven from outside through the DevTools protocol (cdp.js):
// served by python3 -m http.server from 127.0.0.1 as the README says,
// the canvas shows sky and road, its first frame matches the Linux
// build's, holding ArrowUp moves the view, Escape ends with status 0,
// images chosen through the page are used (a road of one's own) or
// refused (one hostile case of the loader's tests for each reason: the
// program's message with its English meaning, status 1), a browser
// without WebGL gets the display's message, and no script error goes
// uncaught.
//   page_test.js FOLDER LINUX_FIRST_FRAME CASES_DIR WORK_DIR
// CASES_DIR holds write_bmp_cases' files and its list.txt (name|reason).
"use strict";
const { Browser } = require("./cdp");
const { spawn, spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");

const [folder, linuxFrame, casesDir, work] = process.argv.slice(2);
const chromium = process.env.CHROMIUM || "chromium";

// The first frames of the two builds are the same scene rasterised by
// different software renderers (llvmpipe, SwiftShader) from the same
// mipmapped textures: they part by a few levels of colour across the
// textured road, each renderer filtering it its own way (measured: RMSE
// 1.6% of the range; 6,165 pixels apart by more than 5%), and along the
// edges, where WebGL lacks OpenGL 1.1's polygon smoothing (104 pixels
// apart by more than 10%). A pixel counts as
// differing beyond 10% of the colour range, and at most 1% of the
// picture may differ: a wrong or missing texture, a bank gone or a view
// turned or moved by a step differs in far more.
const frameFuzz = "10%";
const frameLimit = Math.round(640 * 480 * 0.01);

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls check until it gives a true value; fails after the deadline. A
// loaded machine is slower, never wrong: the deadlines are generous.
async function until(what, seconds, check) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    const value = await check();
    if (value)
      return value;
    if (Date.now() > deadline)
      throw new Error("after " + seconds + " s, still not: " + what);
    await sleep(200);
  }
}

// Serves the folder on a free port of 127.0.0.1; resolves to its URL.
async function serve() {
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind",
                                   "127.0.0.1", "--directory", folder],
                       { stdio: ["ignore", "pipe", "ignore"] });
  let said = "";
  server.stdout.on("data", (chunk) => { said += chunk; });
  const port = await until("the web server has started", 30,
                           () => (said.match(/ port (\d+)/) || [])[1]);
  return { url: "http://127.0.0.1:" + port + "/", stop: () => server.kill() };
}

// ImageMagick: the mean colour of a region of a PNG, as [r, g, b].
function meanColour(file, geometry) {
  const out = spawnSync("convert", [file, "-crop", geometry, "+repage",
                                    "-scale", "1x1!", "-depth", "8", "rgb:-"]);
  return [...out.stdout];
}

// Pixels of a and b more than fuzz apart.
function pixelsDiffering(a, b, fuzz) {
  const out = spawnSync("compare", ["-metric", "AE", "-fuzz", fuzz, a, b,
                                    "null:"], { encoding: "utf8" });
  return Number(out.stderr.split(" ")[0]);
}

// The sky at the top, and at the bottom a road: not blue, not black.
function showsSkyAndRoad(file) {
  const [r, g, b] = meanColour(file, "640x40+0+0");
  const road = meanColour(file, "640x60+0+420");
  const sky = Math.abs(r - 128) < 4 && Math.abs(g - 128) < 4 && b > 250;
  const roadLike = road.every((c) => c > 30) && road[2] < road[0] + 30;
  return sky && roadLike;
}

class PageUnderTest {
  constructor(browser, page) {
    this.page = page;
    this.uncaught = [];
    this.consoleErrors = [];
    browser.on((method, params) => {
      if (method === "Runtime.exceptionThrown")
        this.uncaught.push(params.exceptionDetails.exception
                               ? params.exceptionDetails.exception.description
                               : params.exceptionDetails.text);
      if (method === "Runtime.consoleAPICalled" && params.type === "error")
        this.consoleErrors.push(params.args.map((a) => a.value).join(" "));
    });
  }

  async open(url) {
    await this.page.send("Runtime.enable");
    await this.page.send("Page.enable");
    await this.page.send("Page.navigate", { url });
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.page.send(
        "Runtime.evaluate", { expression, returnByValue: true });
    if (exceptionDetails)
      throw new Error(expression + ": " + exceptionDetails.text);
    return result.value;
  }

  exitStatus() {
    return this.evaluate("window.driveExitStatus");
  }

  // The program's picture as it is shown, into a PNG file; null before
  // the page has made the program's frame.
  async capture(name) {
    const box = await this.evaluate(
        "JSON.stringify(document.querySelector('#screen iframe')" +
        "?.getBoundingClientRect())");
    if (box === undefined)
      return null;
    const { x, y } = JSON.parse(box);
    const { data } = await this.page.send("Page.captureScreenshot", {
      format: "png", clip: { x, y, width: 640, height: 480, scale: 1 },
    });
    const file = path.join(work, name + ".png");
    fs.writeFileSync(file, Buffer.from(data, "base64"));
    return file;
  }

  key(type, code) {
    const codes = { ArrowUp: 38, Escape: 27 };
    return this.page.send("Input.dispatchKeyEvent", {
      type, code, key: code, windowsVirtualKeyCode: codes[code],
    });
  }

  // Holds a key until check gives a true value.
  async holdUntil(code, what, seconds, check) {
    await this.key("keyDown", code);
    try {
      return await until(what, seconds, check);
    } finally {
      await this.key("keyUp", code);
    }
  }

  // Chooses a file through the page's file input with the given id, as a
  // person would with the file dialogue.
  async choose(inputId, file) {
    const { result } = await this.page.send("Runtime.evaluate", {
      expression: "document.getElementById('" + inputId + "')",
    });
    await this.page.send("DOM.setFileInputFiles",
                         { files: [file], objectId: result.objectId });
  }

  // Waits for the program's end and its status; returns the page's
  // message (empty if none).
  async ended(status, seconds) {
    await until("the program ended with status " + status, seconds,
                async () => (await this.exitStatus()) === status);
    const said = await this.evaluate(
        "document.getElementById('ended-text').textContent");
    if (!said.includes("status " + status))
      throw new Error("the page does not say the status: " + said);
    return this.evaluate("document.getElementById('message').hidden ? '' : " +
                         "document.getElementById('message').textContent");
  }
}

// The page's message: the Spanish lines as given, each followed by its
// English meaning in brackets.
function checkMessage(message, lines, what) {
  const expected = lines.map((line) => line + "\n    (").join("");
  const shown = message.replace(/\(.*\)\n?/g, "(");
  if (shown !== expected)
    throw new Error(what + ": unexpected message: " + message);
}

async function drive(page) {
  const first = await until("the canvas shows sky and road", 60, async () => {
    const file = await page.capture("first");
    return file && showsSkyAndRoad(file) && file;
  });
  const apart = pixelsDiffering(first, linuxFrame, frameFuzz);
  console.log("first frame: " + apart + " pixels apart from the Linux " +
              "build's beyond " + frameFuzz + " (at most " + frameLimit + ")");
  if (!(apart <= frameLimit))
    throw new Error("the first frame is not the Linux build's");

  let moved = 0;
  await page.holdUntil("ArrowUp", "the view moves", 60, async () => {
    moved = pixelsDiffering(first, await page.capture("moving"), "2%");
    return moved > 10000;
  });
  console.log("holding ArrowUp: " + moved + " pixels changed");

  await page.holdUntil("Escape", "the program ends", 30,
                       async () => (await page.exitStatus()) !== undefined);
  const message = await page.ended(0, 5);
  if (message !== "")
    throw new Error("a message after Escape: " + message);
  console.log("Escape: status 0");
}

// A road of one's own: a plain red one, 300 x 100, which the texture
// maker scales to 256 x 128.
async function ownRoad(page) {
  const red = path.join(work, "red-road.bmp");
  spawnSync("convert", ["-size", "300x100", "xc:#d01010", "BMP3:" + red]);
  await page.choose("road-file", red);
  await until("the road is red", 60, async () => {
    const [r, g, b] = meanColour(await page.capture("red"), "640x60+0+420");
    return r > 150 && g < 60 && b < 60;
  });
  if ((await page.exitStatus()) !== undefined)
    throw new Error("the program ended with a road of one's own");
  console.log("own road: shown");
}

// One hostile case for each reason, taking turns at the two images.
async function hostileImages(page) {
  const list = fs.readFileSync(path.join(casesDir, "list.txt"), "utf8");
  const byReason = new Map();
  for (const line of list.split("\n")) {
    const [name, reason] = line.split("|");
    if (reason && !byReason.has(reason))
      byReason.set(reason, name);
  }
  let n = 0;
  for (const [reason, name] of byReason) {
    const [input, target] = n++ % 2 === 0 ? ["road-file", "lep.bmp"]
                                          : ["roadside-file", "emblem.bmp"];
    await page.evaluate("document.getElementById('own-images-off').click()");
    await page.choose(input, path.join(casesDir, name));
    const message = await page.ended(1, 60);
    checkMessage(message, ["Error durante la carga de la imagen " + target +
                           ":", reason], name + " as " + target);
  }
  console.log("hostile images: " + n + " refused, each with its message " +
              "and status 1");
}

async function withBrowser(extraArgs, url, body) {
  const browser = new Browser(chromium, path.join(work, "chromium.log"),
                              extraArgs);
  try {
    const page = new PageUnderTest(browser, await browser.page());
    await page.open(url);
    await body(page);
    if (page.uncaught.length > 0)
      throw new Error("uncaught errors: " + page.uncaught.join("; "));
    if (page.consoleErrors.length > 0)
      console.log("console errors: " + page.consoleErrors.join("; "));
  } finally {
    await browser.close();
  }
}

async function main() {
  const server = await serve();
  try {
    await withBrowser([], server.url, async (page) => {
      await drive(page);
      await ownRoad(page);
      await hostileImages(page);
    });
    await withBrowser(["--disable-webgl"], server.url, async (page) => {
      const message = await page.ended(1, 60);
      checkMessage(message, [
        "Error durante el establecimiento del modo grafico:",
        "el navegador no ofrece WebGL",
      ], "without WebGL");
      console.log("without WebGL: the message and status 1");
    });
  } finally {
    server.stop();
  }
}

main().then(() => console.log("ok"), (error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
