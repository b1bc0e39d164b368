// The page in Debian's Firefox ESR on this Xvfb (run it under
// with_xvfb.sh), driven through WebDriver BiDi (bidi.js) as the
// Chromium test drives it: sky and road, a held key moves the view, a
// steady left turn, Escape gives status 0, the drive saved then replays
// in Python to the bit, a hostile image gives its message and status 1,
// and no script error goes uncaught.
//   firefox_test.js FOLDER WRITE_BMP_CASES
"use strict";
const { Firefox, FirefoxPage } = require("./bidi");
const { serve, drive, refused, steadyLeftTurn, roundTrip } =
    require("./page_checks");
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

async function main() {
  const server = await serve(folder);
  const firefox = new Firefox(process.env.FIREFOX || "firefox-esr",
                              path.join(work, "firefox.log"));
  try {
    const page = new FirefoxPage(firefox, await firefox.connect(), work);
    await page.open(server.url);
    await drive(page, null, (p) => steadyLeftTurn(p, async () => {}));
    await roundTrip(page);
    const [file, reason] = hostileCase();
    await refused(page, "road-file", "lep.bmp", file, reason);
    console.log("hostile image: its message and status 1");
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
