// The page end to end in Chromium, headless, on SwiftShader's software
// WebGL, driven from outside through the DevTools protocol (cdp.js):
// served by python3 -m http.server from 127.0.0.1 as the README says,
// the canvas shows sky and road, its first frame matches the Linux
// build's, holding ArrowUp moves the view, Escape ends with status 0,
// images chosen through the page are used (a road of one's own) or
// refused (one hostile case of the loader's tests for each reason: the
// program's message with its English meaning, status 1), every control
// is easy to hit and every table cell has its headers, a browser
// without WebGL gets the display's message, and no script error goes
// uncaught.
//   page_test.js FOLDER LINUX_FIRST_FRAME CASES_DIR WORK_DIR
// CASES_DIR holds write_bmp_cases' files and its list.txt (name|reason).
"use strict";
const { Browser, PageUnderTest } = require("./cdp");
const { until, serve, meanColour, checkMessage, drive, refused, easyToHit } =
    require("./page_checks");
const { spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");

const [folder, linuxFrame, casesDir, work] = process.argv.slice(2);
const chromium = process.env.CHROMIUM || "chromium";

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
    await refused(page, input, target, path.join(casesDir, name), reason);
  }
  console.log("hostile images: " + n + " refused, each with its message " +
              "and status 1");
}

async function withBrowser(extraArgs, url, body) {
  const browser = new Browser(chromium, path.join(work, "chromium.log"),
                              extraArgs);
  try {
    const page = new PageUnderTest(browser, await browser.page(), work);
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
  const server = await serve(folder);
  try {
    await withBrowser([], server.url, async (page) => {
      await drive(page, linuxFrame);
      await easyToHit(page, "800 x 480, ended"); // "Start again" shown
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
