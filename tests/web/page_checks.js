// What the page tests share, whatever the browser: waits, the test's
// own web server, checks of pictures with ImageMagick, and the drive
// itself (sky and road, a held key moves the view, Escape ends it).
"use strict";
const { spawn, spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");

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

// Serves the folder on a free port of 127.0.0.1, or the one given (to
// serve again at the same address); resolves to its URL, a way to stop
// it, the paths it has served in full (status 200) and the paths of all
// the requests it has had, in their order.
async function serve(folder, port = 0) {
  const server = spawn("python3", ["-u", "-m", "http.server", String(port),
                                   "--bind", "127.0.0.1", "--directory", folder],
                       { stdio: ["ignore", "pipe", "pipe"] });
  let said = "";
  server.stdout.on("data", (chunk) => { said += chunk; });
  let log = "";
  server.stderr.on("data", (chunk) => { log += chunk; });
  const served = () =>
    [...log.matchAll(/"GET (\S+) [^"]*" 200 /g)].map((match) => match[1]);
  const asked = () =>
    [...log.matchAll(/"GET (\S+) /g)].map((match) => match[1]);
  const exited = new Promise((resolve) => server.on("exit", resolve));
  // The whole number, "port N (": its line may come in two pieces. A
  // server that never says it is left running by no failure.
  const listening = await until("the web server has started", 120,
                                () => (said.match(/ port (\d+) \(/) || [])[1])
      .catch((error) => {
        server.kill();
        throw error;
      });
  const stop = () => {
    server.kill();
    return exited;
  };
  return { url: "http://127.0.0.1:" + listening + "/", port: listening, stop,
           served, asked };
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

// The page's message: the Spanish lines as given, each followed by its
// English meaning in brackets.
function checkMessage(message, lines, what) {
  const expected = lines.map((line) => line + "\n    (").join("");
  const shown = message.replace(/\(.*\)\n?/g, "(");
  if (shown !== expected)
    throw new Error(what + ": unexpected message: " + message);
}

// The program's WebGL context, made by the page ahead of SDL's request,
// has the attributes that SDL asks for: the first request fixes them,
// and WebGL's defaults (antialiasing, alpha) would change the picture.
const contextAsked = { alpha: false, antialias: false, depth: true, stencil: false };
async function contextAsAsked(page) {
  const made = JSON.parse(await page.evaluate(`JSON.stringify(document
      .querySelector("#screen iframe").contentDocument.getElementById("canvas")
      .getContext("webgl").getContextAttributes())`));
  for (const [name, value] of Object.entries(contextAsked))
    if (made[name] !== value)
      throw new Error("the WebGL context's " + name + " is " + made[name]);
}

// Sky and road (against the Linux build's first frame, if given), the
// context's attributes, a held ArrowUp moves the view, then whatever
// beforeEscape does, and Escape ends the program with status 0.
// The page gives capture(name), holdUntil(code, what, seconds, check),
// exitStatus() and ended(status, seconds).
async function drive(page, linuxFrame, beforeEscape = async () => {}) {
  const first = await until("the canvas shows sky and road", 60, async () => {
    const file = await page.capture("first");
    return file && showsSkyAndRoad(file) && file;
  });
  if (linuxFrame) {
    const apart = pixelsDiffering(first, linuxFrame, frameFuzz);
    console.log("first frame: " + apart + " pixels apart from the Linux " +
                "build's beyond " + frameFuzz + " (at most " + frameLimit +
                ")");
    if (!(apart <= frameLimit))
      throw new Error("the first frame is not the Linux build's");
  }

  await contextAsAsked(page);

  let moved = 0;
  await page.holdUntil("ArrowUp", "the view moves", 60, async () => {
    moved = pixelsDiffering(first, await page.capture("moving"), "2%");
    return moved > 10000;
  });
  console.log("holding ArrowUp: " + moved + " pixels changed");
  await beforeEscape(page);

  await page.holdUntil("Escape", "the program ends", 30,
                       async () => (await page.exitStatus()) !== undefined);
  const message = await page.ended(0, 5);
  if (message !== "")
    throw new Error("a message after Escape: " + message);
  console.log("Escape: status 0");
}

// The drive's record on the page (drive_record.js): an expression that
// gives the newest row's value of a column.
const newest = (column) => "(() => { const r = driveSave.record; " +
    "return r && r.value(r.end() - 1, r.column('" + column + "')); })()";

// Whether the last 200 rows are at full left lock with a yaw rate that
// moves by less than 0.001 rad/s: a turn that has settled (preset 1
// settles in about 4 s of model time from any throttle).
const turnSettled = `(() => {
  const r = driveSave.record;
  const yaw = r.column("angular_velocity");
  const steer = r.column("steerangle");
  const rows = 200;
  if (r.end() - r.begin() < rows)
    return false;
  let low = Infinity, high = -Infinity;
  for (let n = r.end() - rows; n < r.end(); ++n) {
    if (!(r.value(n, steer) > 0.199))
      return false;
    low = Math.min(low, r.value(n, yaw));
    high = Math.max(high, r.value(n, yaw));
  }
  return high - low < 0.001;
})()`;

// Throttle up to 40 at least, then full left lock held until the turn
// has settled; whileTurning(page) runs then, the key still held.
async function steadyLeftTurn(page, whileTurning) {
  await page.holdUntil("ArrowUp", "the throttle reaches 40", 60,
                       async () => (await page.evaluate(newest("throttle"))) >= 40);
  await page.holdUntil("ArrowLeft", "the left turn settles", 180, async () =>
    (await page.evaluate(turnSettled)) && (await whileTurning(page), true));
}

// "Save this drive"; resolves to the file downloaded and the rows the
// page says it saved. A file is whole once it has its name (Chromium
// renames it then) and no part of it is still being written (Firefox
// writes NAME.part beside it).
async function saveDrive(page) {
  const folder = await page.downloads();
  await page.evaluate("document.getElementById('save-drive').click()");
  const said = await until("the page says it saved the drive", 120,
      () => page.evaluate("(() => { const said = " +
          "document.getElementById('save-state').textContent; " +
          "return said.startsWith('Saved') && said; })()"));
  const file = await until("the drive's file is written", 60, () => {
    const names = fs.readdirSync(folder);
    const csv = names.find((name) => name.endsWith(".csv"));
    return csv && !names.some((name) => name.endsWith(".part")) &&
        fs.statSync(path.join(folder, csv)).size > 0 && path.join(folder, csv);
  });
  return [file, Number(said.match(/^Saved ([\d,]+) rows/)[1].replace(/,/g, ""))];
}

// Replays a saved drive with drive_model.replay in the default build's
// venv (DRIVE_MODEL_VENV), made first if it is not there, as
// tests/python/install_test.sh makes it and under its lock. Resolves to
// the rows replayed, the last step, the first difference and the largest
// difference of each column that differs.
function replayed(file) {
  const venv = process.env.DRIVE_MODEL_VENV;
  if (!venv)
    throw new Error("DRIVE_MODEL_VENV names no venv to replay the drive in");
  const source = path.join(__dirname, "..", "..");
  const made = spawnSync(path.join(source, "tests/python/install_test.sh"),
                         [source, venv, "--if-missing"], { encoding: "utf8" });
  if (made.status !== 0)
    throw new Error("cannot make the venv: " + made.stdout + made.stderr);
  const replay = spawnSync("flock", ["-s", venv + ".lock",
                                     path.join(venv, "bin/python"), "-c", `
import json, sys, drive_model
run = drive_model.replay(sys.argv[1])
print(json.dumps({"rows": len(run["step"]), "last": int(run["step"][-1]),
                  "first_difference": run["first_difference"],
                  "differences": {k: float(v) for k, v in run["differences"].items()}}))
`, file], { encoding: "utf8" });
  if (replay.status !== 0)
    throw new Error("the replay failed: " + replay.stderr);
  return JSON.parse(replay.stdout);
}

// The page's drive saved after the program has ended, replayed in
// Python: every row and every value the same to the bit, but for the
// slip angles. Those are doubles made of arctangents, which emscripten's
// maths library (musl's) now and then rounds a unit in the last place
// away from glibc's while the car turns (glibc's are the correctly
// rounded ones): at most 4.4e-16 rad for an angle below pi, each. The
// floats worked out from them, and so the car, come out the same.
async function roundTrip(page) {
  const [file, rows] = await saveDrive(page);
  const run = replayed(file);
  console.log("round trip: " + rows + " rows saved, " + run.rows +
              " replayed to step " + run.last + ", first difference: " +
              run.first_difference + " " + JSON.stringify(run.differences));
  const arctangents = ["slipanglefront", "slipanglerear"];
  const apart = Object.entries(run.differences).filter(([column, most]) =>
    !arctangents.includes(column) || most > 2 * 4.4e-16);
  if (run.rows !== rows || apart.length > 0)
    throw new Error("the replay is not the page's drive: " +
                    JSON.stringify(run));
}

// Waits for a browser that was asked to close (its child process, the
// promise exited of its end) and kills it after 20 s; removes its
// profile folder.
async function closed({ child, exited, profile }) {
  const ended = await Promise.race([
    exited.then(() => true),
    new Promise((resolve) => setTimeout(() => resolve(false), 20000)),
  ]);
  if (!ended) {
    child.kill("SIGKILL");
    await exited;
  }
  fs.rmSync(profile, { recursive: true, force: true });
}

// A hostile image chosen through the file input with the given id, as
// the program's target file, from the included images: the program's
// message for the reason, with its meaning, and status 1.
async function refused(page, input, target, file, reason) {
  await page.evaluate("document.getElementById('own-images-off').click()");
  await page.choose(input, file);
  const message = await page.ended(1, 60);
  checkMessage(message, ["Error durante la carga de la imagen " + target +
                         ":", reason], path.basename(file) + " as " + target);
}

// In the page: what keeps a control from being easy to hit or a table
// from being read aloud, as a list of problems. Each control shown
// (button, file chooser, touch control) is at least 24 x 24 CSS px and
// overlaps no other; each table cell has a header cell above it and one
// (scope "row") at the start of its row; no header cell is empty.
const accessProblems = `JSON.stringify((() => {
  const problems = [];
  const shown = [...document.querySelectorAll("button, input, select, a[href]")]
      .filter((e) => e.getClientRects().length > 0)
      .map((e) => [e.getAttribute("aria-label") || e.id || e.textContent.trim(),
                   e.getBoundingClientRect()]);
  for (const [i, [name, box]] of shown.entries()) {
    if (box.width < 24 || box.height < 24)
      problems.push(name + " is " + box.width + " x " + box.height);
    for (const [other, b] of shown.slice(i + 1))
      if (box.left < b.right && b.left < box.right && box.top < b.bottom &&
          b.top < box.bottom)
        problems.push(name + " overlaps " + other);
  }
  for (const table of document.querySelectorAll("table"))
    for (const row of table.rows)
      for (const [column, cell] of [...row.cells].entries()) {
        const what = "the cell " + JSON.stringify(cell.textContent);
        if (cell.tagName === "TH" && cell.textContent.trim() === "")
          problems.push("an empty header cell");
        if (cell.tagName !== "TD")
          continue;
        if (row.cells[0].tagName !== "TH" || row.cells[0].scope !== "row")
          problems.push(what + " has no row header");
        if (table.rows[0].cells[column].tagName !== "TH")
          problems.push(what + " has no column header");
      }
  return problems;
})())`;

// Fails with the page's problems of access (accessProblems) in a layout.
async function easyToHit(page, layout) {
  const problems = JSON.parse(await page.evaluate(accessProblems));
  if (problems.length > 0)
    throw new Error(layout + ": " + problems.join("; "));
  console.log(layout + ": every control 24 x 24 px or more, apart; " +
              "every cell with its headers");
}

// The name of the service worker's store in a web folder, as the build
// wrote it into the worker.
function storeOf(folder) {
  const worker = fs.readFileSync(path.join(folder, "service_worker.js"), "utf8");
  return worker.match(/const store = "(drive-[^"]+)";/)[1];
}

// In the page: the names of the stores, once a worker controls it.
const storeNames = "navigator.serviceWorker.ready.then(() => caches.keys())" +
                   ".then((names) => names.join())";

// A copy of the web folder, to serve and to change.
function copyOf(folder, work) {
  const copy = path.join(work, "served");
  fs.cpSync(folder, copy, { recursive: true });
  return copy;
}

// Changes the copy as a rebuild of the same version would: the page's
// title, and the worker written again by the build's own step.
const rebuiltTitle = "drive, rebuilt";
function rebuild(copy) {
  const index = path.join(copy, "index.html");
  fs.writeFileSync(index, fs.readFileSync(index, "utf8").replace(
      "<title>drive</title>", "<title>" + rebuiltTitle + "</title>"));
  const web = path.join(__dirname, "..", "..", "web");
  const made = spawnSync("cmake", [
    "-DFOLDER=" + copy, "-DTEMPLATE=" + path.join(web, "page", "service_worker.js.in"),
    "-P", path.join(web, "service_worker.cmake")], { encoding: "utf8" });
  if (made.status !== 0)
    throw new Error("cannot write the worker again: " + made.stderr);
}

// A new build of the same version reaches a returning visitor: visited
// once and stored, the copy served is rebuilt; the first visit after it
// (a tab of its own, the last one closed) offers "A new version is
// ready: reload", and by the second (reload chosen, or another visit)
// the rebuilt page is shown, from a store named anew. The page gives
// visitAnew(url) besides PageBase's own.
async function newVersionReaches(page, copy, url, chooseReload) {
  const before = storeOf(copy);
  await until("the page is stored in " + before, 60,
              async () => (await page.evaluate(storeNames)) === before);
  rebuild(copy);
  const after = storeOf(copy);
  if (after === before)
    throw new Error("the rebuilt folder's store is still " + before);
  await page.visitAnew(url);
  const offered = "!document.getElementById('new-version').hidden";
  await until("the new version is offered", 60,
              () => page.evaluate(offered).catch(() => false));
  const title = "document.title";
  console.log("the first visit after the rebuild: " +
              await page.evaluate(title) + ", a new version offered");
  if (chooseReload)
    await page.evaluate("document.getElementById('reload').click()");
  else
    await page.visitAnew(url);
  await until("the rebuilt page is shown", 60, async () =>
      (await page.evaluate(title).catch(() => "")) === rebuiltTitle);
  await until("the rebuilt page is stored in " + after, 60, async () =>
      (await page.evaluate(storeNames).catch(() => "")) === after);
  console.log("the second visit after the rebuild" +
              (chooseReload ? " (reload chosen)" : "") + ": " + rebuiltTitle +
              ", stored in " + after);
}

// A page under test, whatever the protocol that drives it. A subclass
// gives evaluate(expression), the value of an expression (awaited if a
// promise); screenshot(box), a PNG in base64 of that box of the page;
// key(down, code), a key pressed or let go; choose(inputId, file), a
// file chosen through a file input as with the file dialogue; and fills
// this.uncaught with the script errors nothing caught.
class PageBase {
  constructor(work) {
    this.work = work;
    this.uncaught = [];
  }

  exitStatus() {
    return this.evaluate("window.driveExitStatus");
  }

  // The program's picture as it is shown, into a PNG file of 640 x 480
  // (scaled to it if shown at another size); null before the page has
  // made the program's frame.
  async capture(name) {
    const box = await this.evaluate(
        "JSON.stringify(document.querySelector('#screen iframe')" +
        "?.getBoundingClientRect())");
    if (box === undefined)
      return null;
    const { width, height } = JSON.parse(box);
    const ratio = await this.evaluate("devicePixelRatio");
    const file = path.join(this.work, name + ".png");
    fs.writeFileSync(file, Buffer.from(await this.screenshot(JSON.parse(box)),
                                       "base64"));
    if (width !== 640 || height !== 480 || ratio !== 1)
      spawnSync("mogrify", ["-resize", "640x480!", file]);
    return file;
  }

  // Holds a key until check gives a true value.
  async holdUntil(code, what, seconds, check) {
    await this.key(true, code);
    try {
      return await until(what, seconds, check);
    } finally {
      await this.key(false, code);
    }
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

module.exports = { PageBase, closed, sleep, until, serve, meanColour, pixelsDiffering,
                   showsSkyAndRoad, checkMessage, drive, refused, easyToHit,
                   storeOf, storeNames, copyOf, rebuiltTitle, newVersionReaches,
                   steadyLeftTurn, roundTrip };
