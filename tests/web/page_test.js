// The page end to end in Chromium, headless, on SwiftShader's software
// WebGL, driven from outside through the DevTools protocol (cdp.js):
// served by python3 -m http.server from 127.0.0.1 as the README says,
// the canvas shows sky and road, its first frame matches the Linux
// build's, holding ArrowUp moves the view, the model panel is made only
// when first opened, in a steady left turn it draws the tyres' forces to
// the left, Escape ends with status 0, the drive saved then replays in
// Python to the bit,
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
const { until, serve, meanColour, checkMessage, drive, refused, easyToHit,
        steadyLeftTurn, roundTrip } = require("./page_checks");
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

// In a steady left turn both axles' lateral forces point to the car's
// left: in the panel's picture of the car, facing up, the arrows (in
// either axle's colour, or the limit's) lie in its left third, none in
// its right third.
const arrowSides = `JSON.stringify((() => {
  const canvas = document.getElementById("model-car");
  const { data, width } = canvas.getContext("2d")
      .getImageData(0, 0, canvas.width, canvas.height);
  const colours = [panelColours.front, panelColours.rear, panelColours.limit]
      .map((hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16)));
  const sides = { left: 0, middle: 0, right: 0 };
  for (let i = 0; i < data.length; i += 4) {
    const x = (i / 4) % width;
    if (colours.some(([r, g, b]) => data[i] === r && data[i + 1] === g &&
                                    data[i + 2] === b && data[i + 3] === 255))
      ++sides[x < width / 3 ? "left" : x < width * 2 / 3 ? "middle" : "right"];
  }
  return sides;
})())`;

async function arrowsPointLeft(page) {
  const sides = await until("the panel shows the turn's forces", 30,
      async () => {
        const seen = JSON.parse(await page.evaluate(arrowSides));
        return seen.left + seen.right >= 20 && seen;
      });
  console.log("steady left turn: the panel's force arrows have " +
              sides.left + " pixels in its left third, " + sides.right +
              " in its right third");
  if (sides.right > 0)
    throw new Error("the panel draws the forces of a left turn to the right");
}

// In the same turn the strip charts draw both axles' lateral forces
// above their zero line (to the left is positive) and both slip angles
// under it (each axle moves to the right of where its wheels point):
// the coloured pixels (the axles' lines; the rest is grey or white),
// blended with the white or not, in the newest tenth of each chart, in
// its upper and its lower half.
const turnCharts = [["Slip angle, degrees", "lower"],
                    ["Lateral force / grip limit", "upper"]];
const chartHalves = `JSON.stringify(${JSON.stringify(turnCharts)}.map(([label]) => {
  const { x, y, width, height } = modelPanel.charts[
      panelCharts.findIndex(([l]) => l === label)].band;
  const across = Math.ceil(width * 0.1);
  const { data } = document.getElementById("model-charts").getContext("2d")
      .getImageData(x + width - across, y, across, height);
  const halves = { upper: 0, lower: 0 };
  for (let p = 0; p < data.length; p += 4)
    if (Math.max(...data.slice(p, p + 3)) - Math.min(...data.slice(p, p + 3)) > 40)
      ++halves[Math.floor(p / 4 / across) < height / 2 ? "upper" : "lower"];
  return halves;
}))`;

async function chartsShowTurn(page) {
  const seen = await until("the charts show the turn", 30, async () => {
    const halves = JSON.parse(await page.evaluate(chartHalves));
    return halves.every((h, n) => h[turnCharts[n][1]] >= 10) && halves;
  });
  seen.forEach((halves, n) => {
    const [label, side] = turnCharts[n];
    console.log("steady left turn, " + label + ": " + JSON.stringify(halves));
    if (halves[side === "upper" ? "lower" : "upper"] > 0)
      throw new Error("the chart " + label + " draws the turn on the wrong side");
  });
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
      await drive(page, linuxFrame, async () => {
        // The start leaves the closed panel's charts unmade: their set-up
        // costs a phone's start some 100 ms.
        if (await page.evaluate("modelPanel.charts.length") !== 0)
          throw new Error("the model panel's charts were made before it opened");
        await page.evaluate("document.getElementById('model-toggle').click()");
        await steadyLeftTurn(page, async () => {
          await arrowsPointLeft(page);
          await chartsShowTurn(page);
        });
      });
      await easyToHit(page, "800 x 480, ended"); // "Start again" shown
      await roundTrip(page);
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
