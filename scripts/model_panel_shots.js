// Takes the README's pictures of "Show the model": the page in headless
// Chromium at 1280 x 800 (a desktop, the panel beside the picture) and
// at 390 x 844 (a phone upright, at twice its pixels, the panel under
// the touch controls), each 3 s after reaching 100 km/h, as the wheels
// turn left, as WebP files. Run by hand after a web build; the tests do
// not run it.
//   node scripts/model_panel_shots.js [FOLDER [OUTPUT_DIR]]
// FOLDER defaults to the web build's folder, OUTPUT_DIR to docs/.
"use strict";
const { Browser, PageUnderTest } = require("../tests/web/cdp");
const { until, serve } = require("../tests/web/page_checks");
const { spawnSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const root = path.join(__dirname, "..");
const folder = process.argv[2] ||
    fs.readFileSync(path.join(root, "build/web/folder_path.txt"), "utf8").trim();
const output = process.argv[3] || path.join(root, "docs");
const work = fs.mkdtempSync(path.join(os.tmpdir(), "drive-shots-"));

const newest = (expression) => "(() => { const r = driveSave.record; " +
    "const v = (name) => r.value(r.end() - 1, r.column(name)); return " +
    expression + "; })()";

// The page from its top to the panel's foot, or the window if that is
// longer, to OUTPUT_DIR/name.webp.
async function shot(url, [width, height, ratio, phone], name) {
  const browser = new Browser(process.env.CHROMIUM || "chromium",
                              path.join(work, "chromium.log"));
  try {
    const page = new PageUnderTest(browser, await browser.page(), work);
    await page.open(url);
    await page.screen(width, height, ratio, phone);
    await until("the program runs", 60, () => page.evaluate(
        "typeof driveSave === 'object' && driveSave.record !== null"));
    await page.evaluate("document.getElementById('model-toggle').click()");
    if (phone) // the touch controls, as a phone's screen shows them
      await page.evaluate("document.body.classList.contains('touch') || " +
                          "document.getElementById('touch-toggle').click()");
    await page.holdUntil("ArrowUp", "100 km/h", 120, () => page.evaluate(
        newest("Math.hypot(v('velocity_wc.x'), v('velocity_wc.y')) > 27.8")));
    const bend = await page.evaluate("driveSave.record.end() + 300");
    await until("3 s straight on", 60, () =>
      page.evaluate("driveSave.record.end() > " + bend));
    await page.holdUntil("ArrowLeft", "a bend", 60, async () => {
      if (!(await page.evaluate(newest("v('steerangle') > 0.1"))))
        return false;
      // Down to the panel's foot: on a phone it lies below the window.
      const foot = await page.evaluate("document.getElementById(" +
          "'model-panel').getBoundingClientRect().bottom + scrollY");
      const { data } = await page.page.send("Page.captureScreenshot", {
        format: "png", captureBeyondViewport: true,
        clip: { x: 0, y: 0, width, height: Math.max(height, foot), scale: 1 },
      });
      fs.writeFileSync(path.join(work, name + ".png"), Buffer.from(data, "base64"));
      return true;
    });
  } finally {
    await browser.close();
  }
  const file = path.join(output, name + ".webp");
  spawnSync("convert", [path.join(work, name + ".png"), "-quality", "80",
                        file]);
  console.log(file + ": " + fs.statSync(file).size + " bytes");
}

async function main() {
  const server = await serve(folder);
  try {
    await shot(server.url, [1280, 800, 1, false], "model_panel_desktop");
    await shot(server.url, [390, 844, 2, true], "model_panel_phone");
  } finally {
    await server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
