// The page in Debian's Firefox ESR on this Xvfb (run it under
// with_xvfb.sh), driven through WebDriver BiDi (bidi.js) as the
// Chromium test drives it: sky and road, a held key moves the view, a
// steady left turn, Escape gives status 0, the drive saved then replays
// in Python, a hostile image gives its message and status 1, a rebuild
// of the folder served reaches the page by the second visit after it,
// and then starts without the server; no script error goes uncaught.
//   firefox_test.js FOLDER WRITE_BMP_CASES
"use strict";
const { Firefox, FirefoxPage } = require("./bidi");
const { serve, drive, refused, easyToHit, copyOf, rebuiltTitle,
        newVersionReaches, until, showsSkyAndRoad, steadyLeftTurn,
        roundTrip } = require("./page_checks");
const { spawnSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const [folder, writeBmpCases] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), "drive-firefox-test-"));

// The first of the loader's cases that it refuses, and why.
function hostileCase() {
  const cases = path.join(work, "cases");
  fs.mkdirSync(cases);
  const list = spawnSync(writeBmpCases, [cases], { encoding: "utf8" }).stdout;
  const [name, reason] = list.split("\n").map((line) => line.split("|"))
                              .find(([, why]) => why);
  return [path.join(cases, name), reason];
}

// Without the server, a visit starts the rebuilt page's program.
async function offline(page, server) {
  await server.stop();
  await page.visitAnew(server.url);
  await until("the canvas shows sky and road", 60, async () => {
    const file = await page.capture("offline");
    return file && showsSkyAndRoad(file);
  });
  if ((await page.evaluate("document.title")) !== rebuiltTitle)
    throw new Error("offline, the page before the rebuild starts");
  console.log("offline: the rebuilt page starts from its store");
}

async function main() {
  const served = copyOf(folder, work);
  const server = await serve(served);
  const firefox = new Firefox(process.env.FIREFOX || "firefox-esr",
                              path.join(work, "firefox.log"));
  try {
    const page = new FirefoxPage(firefox, await firefox.connect(), work);
    await page.open(server.url);
    await drive(page, null, (p) => steadyLeftTurn(p, async () => {}));
    await easyToHit(page, "Firefox, 800 x 480, ended");
    await roundTrip(page);
    const [file, reason] = hostileCase();
    await refused(page, "road-file", "lep.bmp", file, reason);
    console.log("hostile image: its message and status 1");
    await newVersionReaches(page, served, server.url, false);
    await offline(page, server);
    if (page.uncaught.length > 0)
      throw new Error("uncaught errors: " + page.uncaught.join("; "));
  } catch (error) {
    process.stdout.write(fs.readFileSync(path.join(work, "firefox.log")));
    throw error;
  } finally {
    await firefox.close();
    await server.stop();
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().then(() => console.log("ok"), (error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
