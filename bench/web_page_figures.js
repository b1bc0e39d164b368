// Figures of the web page in headless Chromium (SwiftShader's software
// WebGL), through the page tests' DevTools client: the time from the
// start of loading to the program's first frame (the first flip after
// drawing it), the frames a second the page then draws, at rest and
// driving, and the bytes a first visit downloads (every file the server
// sends in full, the service worker's store included).
//   web_page_figures.js FOLDER [STARTS]
"use strict";
const { Browser, PageUnderTest } = require("../tests/web/cdp");
const { until, serve, sleep } = require("../tests/web/page_checks");
const fs = require("fs");
const os = require("os");
const path = require("path");

const folder = process.argv[2];
const starts = Number(process.argv[3] || 5);
const work = fs.mkdtempSync(path.join(os.tmpdir(), "drive-bench-"));

// In the program's frame: the time of its first flip from the top
// page's navigation start, and a count of its flips (each waits for one
// animation frame, and only the program asks for them there).
const countFlips = `if (location.pathname.endsWith("/frame.html")) {
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => {
    if (top.driveFlips === undefined) {
      top.driveFlips = 0;
      top.driveFirstFrame = performance.timeOrigin + performance.now() -
                            top.performance.timeOrigin;
    }
    top.driveFlips++;
    return ask(callback);
  };
}`;

async function visit(url, body) {
  const browser = new Browser(process.env.CHROMIUM || "chromium",
                              path.join(work, "chromium.log"));
  try {
    const page = new PageUnderTest(browser, await browser.page(), work);
    await page.page.send("Page.addScriptToEvaluateOnNewDocument",
                         { source: countFlips });
    await page.open(url);
    return await body(page);
  } finally {
    await browser.close();
  }
}

// Frames a second over ten seconds of wall time.
async function framesPerSecond(page) {
  const before = await page.evaluate("driveFlips");
  const start = Date.now();
  await sleep(10000);
  const flips = await page.evaluate("driveFlips") - before;
  return flips / ((Date.now() - start) / 1000);
}

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

async function main() {
  const server = await serve(folder);
  try {
    const firstFrames = [];
    let rates = null;
    for (let i = 0; i < starts; ++i)
      await visit(server.url, async (page) => {
        firstFrames.push(await until("the first frame", 60,
                                     () => page.evaluate("window.driveFirstFrame")));
        if (i === 0) {
          // All a first visit brings: wait for the store to be complete.
          await page.evaluate("navigator.serviceWorker.ready");
          const bytes = server.served().reduce((sum, file) => sum +
              fs.statSync(path.join(folder, file === "/" ? "index.html"
                                                         : file)).size, 0);
          console.log("first visit: " + (bytes / 1e6).toFixed(2) + " MB in " +
                      server.served().length + " requests");
          const resting = await framesPerSecond(page);
          await page.key(true, "ArrowUp");
          const driving = await framesPerSecond(page);
          await page.key(false, "ArrowUp");
          rates = [resting, driving];
        }
      });
    console.log("load to first frame: median " +
                median(firstFrames).toFixed(0) + " ms over " + starts +
                " first visits (" +
                firstFrames.map((ms) => ms.toFixed(0)).join(", ") + ")");
    console.log("frames a second, 640 x 480: " + rates[0].toFixed(1) +
                " at rest, " + rates[1].toFixed(1) + " driving");
  } finally {
    await server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
