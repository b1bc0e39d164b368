// Figures of the web page in headless Chromium (SwiftShader's software
// WebGL), through the page tests' DevTools client, with the CPU slowed
// RATE times (Chromium's throttling; 4 stands in for a mid-range phone):
// the time from the start of loading to the program's first frame (the
// first flip after drawing it) on first visits, each in a browser
// context of its own (nothing cached or stored) of a browser already
// running, with where that time went, and on second visits (the same
// context again once the service worker has stored the page); the frames a
// second the page then draws, at rest and driving, and driving with the
// model panel closed and open; and the bytes a first
// visit downloads (every file the server sends in full, the service
// worker's store included), as they are and gzipped; the longest task
// of the page's main thread and the total blocking time (the sum over
// 50 ms of each task, as Lighthouse counts it) from the start of loading
// to 10 s after the first frame, and in Lighthouse's own window too,
// from the first contentful paint to the time to interactive, in a trace
// of a first visit of their own, the floor page's too, whose longest
// task (its WebGL context) any page built this way has; and the first
// frame of the floor page (bench/web_floor.cpp, in FOLDER/../floor if
// built), its first visits taking turns with the page's, and the page's
// against it. Given a second folder (another build of the page, say the
// one before a change, with its own floor beside it), the visits take
// turns at all of them, so that all meet the same machine.
//   web_page_figures.js FOLDER [STARTS [RATE [OTHER_FOLDER]]]
// With DRIVE_BENCH_START=1 only the start's figures are taken (first
// frames, the floor's, the tasks): no frame rates and no second visits,
// so that a run on a quiet machine stays short.
"use strict";
const { Browser, PageUnderTest } = require("../tests/web/cdp");
const { until, serve, sleep } = require("../tests/web/page_checks");
const fs = require("fs");
const os = require("os");
const path = require("path");
const zlib = require("zlib");

const folders = [process.argv[2], process.argv[5]].filter((f) => f);
const starts = Number(process.argv[3] || 5);
const rate = Number(process.argv[4] || 1);
const startOnly = process.env.DRIVE_BENCH_START === "1";
const work = fs.mkdtempSync(path.join(os.tmpdir(), "drive-bench-"));

// In the program's frame (or the floor page, which is its program): the
// time of its first flip and of the wasm instance made, in ms from the
// top page's navigation start, and a count of its flips (each waits for
// one animation frame, and only the program asks for them there).
const countFlips = `if (window !== top || location.pathname.endsWith("/floor.html")) {
  const now = () => performance.timeOrigin + performance.now() -
                    top.performance.timeOrigin;
  const ask = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => {
    if (top.driveFlips === undefined) {
      top.driveFlips = 0;
      top.driveFirstFrame = now();
    }
    top.driveFlips++;
    return ask(callback);
  };
  for (const name of ["instantiate", "instantiateStreaming"]) {
    const made = WebAssembly[name];
    WebAssembly[name] = (...args) => made(...args).then((result) => {
      top.driveWasmReady = top.driveWasmReady || now();
      return result;
    });
  }
}`;

// In the top page, once the first frame is out: when each step of the
// start happened, in ms from its navigation start. A file is fetched by
// whichever page asks first; its start is when it was asked for.
const steps = `(() => {
  const frame = document.querySelector("#screen iframe").contentWindow;
  const offset = frame.performance.timeOrigin - performance.timeOrigin;
  const entries = [
    ...performance.getEntriesByType("resource").map((e) => [e, 0]),
    ...frame.performance.getEntriesByType("resource").map((e) => [e, offset]),
  ];
  const file = (name) => {
    const found = entries.filter(([e]) => e.name.endsWith("/" + name));
    return found.length === 0 ? [NaN, NaN] : found.reduce((a, b) =>
        a[0].startTime + a[1] <= b[0].startTime + b[1] ? a : b);
  };
  const steps = {
    "the page's scripts done (DOMContentLoaded)":
        performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd,
    "the program's frame starts loading": offset,
  };
  for (const name of ["lep.bmp", "emblem.bmp", "drive.js", "drive.wasm"]) {
    const [e, at] = file(name);
    steps[name + " asked for"] = e.startTime + at;
    steps[name + " arrived"] = e.responseEnd + at;
  }
  steps["the frame's scripts done (DOMContentLoaded)"] = offset +
      frame.performance.getEntriesByType("navigation")[0]
          .domContentLoadedEventEnd;
  steps["the wasm instance made"] = driveWasmReady;
  steps["first frame"] = driveFirstFrame;
  return steps;
})()`;

// A page of its own browser context: nothing cached or stored, as on a
// person's first visit, with the CPU slowed; resolves to it and a way
// to close it.
async function freshPage(browser) {
  const { browserContextId } = await browser.send("Target.createBrowserContext");
  const { targetId } = await browser.send("Target.createTarget",
                                          { url: "about:blank", browserContextId });
  const { sessionId } = await browser.send("Target.attachToTarget",
                                           { targetId, flatten: true });
  const page = new PageUnderTest(browser, {
    send: (method, params) => browser.send(method, params, sessionId),
  }, work);
  await page.page.send("Page.addScriptToEvaluateOnNewDocument",
                       { source: countFlips });
  await page.page.send("Emulation.setCPUThrottlingRate", { rate });
  const close = () => browser.send("Target.disposeBrowserContext",
                                   { browserContextId });
  return [page, close];
}

// Loads the page (or the floor) and waits for its first frame: its time.
async function firstFrame(page, url) {
  await page.open(url);
  return until("the first frame of " + url, 60,
               () => page.evaluate("window.driveFirstFrame"));
}

// Loads the page and waits for its first frame; the steps of its start.
async function visit(page, url) {
  await firstFrame(page, url);
  return page.evaluate(steps);
}

// The floor page's first frame, on a first visit.
async function floorVisit(browser, url) {
  const [page, close] = await freshPage(browser);
  const at = await firstFrame(page, url + "floor.html");
  await close();
  return at;
}

// The main thread's tasks of a first visit, from the start of loading to
// 10 s after the first frame, in a trace of the browser: the longest and
// the total blocking time, in ms. The page's main thread is the one that
// started loading it.
async function blocking(browser, url) {
  const [page, close] = await freshPage(browser);
  const events = [];
  let ended = null;
  const complete = new Promise((resolve) => { ended = resolve; });
  browser.on((method, params) => {
    if (ended && method === "Tracing.dataCollected")
      events.push(...params.value);
    if (ended && method === "Tracing.tracingComplete") {
      ended();
      ended = null; // the next trace is another call's
    }
  });
  await browser.send("Tracing.start", { traceConfig: { includedCategories: [
    "disabled-by-default-devtools.timeline", "blink.user_timing", "loading"] } });
  // Only the first frame's time is read here: the steps' script (visit)
  // takes the page's thread some 80 ms with the CPU slowed.
  const first = await firstFrame(page, url);
  await sleep(10000);
  await browser.send("Tracing.end");
  await complete;
  await close();
  const start = events.find((e) => e.name === "navigationStart" &&
                            e.args.data && e.args.data.isLoadingMainFrame &&
                            e.args.data.documentLoaderURL === url);
  const end = start.ts + (first + 10000) * 1000;
  const onMain = (e) => e.pid === start.pid && e.tid === start.tid &&
                        e.ts >= start.ts && e.ts < end;
  // This bench's own questions to the page (a script of no file) are
  // not the page's work: their time is taken off the task they ran in.
  const asked = events.filter((e) => onMain(e) && e.name === "EvaluateScript" &&
                              !(e.args.data && e.args.data.url));
  let covered = 0; // tasks nest: only the outermost count
  const tasks = events.filter((e) => e.name === "RunTask" && onMain(e))
      .sort((a, b) => a.ts - b.ts).filter((e) => {
        const outer = e.ts >= covered;
        covered = Math.max(covered, e.ts + e.dur);
        return outer;
      }).map((e) => ({ at: e.ts, ms: (e.dur - asked.filter((a) =>
          a.ts >= e.ts && a.ts < e.ts + e.dur).reduce((sum, a) => sum + a.dur, 0)) / 1000 }));
  const over50 = (list) => list.reduce((sum, t) => sum + Math.max(0, t.ms - 50), 0);
  // The task that commits the navigation (the browser makes the page's
  // window and script context in it) comes before any of its files.
  const commit = events.find((e) => e.name === "DocumentLoader::CommitNavigation" &&
                             onMain(e));
  const own = tasks.filter((t) => !commit || t.at > commit.ts ||
                                  t.at + t.ms * 1000 < commit.ts);
  const painted = events.find((e) => e.name === "firstContentfulPaint" &&
                              e.args.frame === start.args.frame && e.ts >= start.ts);
  return { longest: Math.max(...tasks.map((t) => t.ms)), blocking: over50(tasks),
           ownLongest: Math.max(...own.map((t) => t.ms)),
           lighthouse: painted ? over50(tasks.filter((t) =>
               t.at >= painted.ts && t.at < interactive(tasks, painted.ts, end)))
                               : NaN };
}

// Lighthouse's time to interactive, from the tasks given ({ at, ms }, at
// in µs): the end of the last long task (over 50 ms) after the first
// contentful paint and before a 5 s stretch without any; the trace's end
// where no such stretch comes in it. Lighthouse counts the total
// blocking time from the paint to there.
function interactive(tasks, painted, end) {
  let quietFrom = painted;
  for (const t of tasks.filter((t) => t.at >= painted && t.ms > 50)) {
    if (t.at - quietFrom >= 5e6)
      return quietFrom;
    quietFrom = t.at + t.ms * 1000;
  }
  return end - quietFrom >= 5e6 ? quietFrom : end;
}

// Waits until the service worker has stored every file of its list.
async function stored(page, folder) {
  const worker = fs.readFileSync(path.join(folder, "service_worker.js"), "utf8");
  const files = JSON.parse(worker.match(/const files = (\[[^\]]*\])/)[1]);
  await until("the page is stored", 60, () => page.evaluate(
      "navigator.serviceWorker.ready.then(() => caches.keys())" +
      ".then((names) => Promise.all(names.map((n) => caches.open(n)" +
      ".then((c) => c.keys()))))" +
      ".then((stores) => stores.flat().length >= " + files.length + ")"));
}

// Frames a second over ten seconds of wall time.
async function framesPerSecond(page) {
  const before = await page.evaluate("driveFlips");
  const start = Date.now();
  await sleep(10000);
  const flips = await page.evaluate("driveFlips") - before;
  return flips / ((Date.now() - start) / 1000);
}

// CPU seconds the browser's processes have used (user and system), from
// /proc: the browser and everything it started.
function browserCpuSeconds(browser) {
  const stats = fs.readdirSync("/proc").filter((d) => /^\d+$/.test(d))
    .map((pid) => {
      try {
        const fields = fs.readFileSync("/proc/" + pid + "/stat", "utf8")
            .replace(/^.*\) /, "").split(" ");
        return { pid: Number(pid), parent: Number(fields[1]),
                 ticks: Number(fields[11]) + Number(fields[12]) };
      } catch (error) {
        return null; // ended meanwhile
      }
    }).filter((s) => s);
  const ours = new Set([browser.child.pid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const s of stats)
      if (ours.has(s.parent) && !ours.has(s.pid)) {
        ours.add(s.pid);
        grew = true;
      }
  }
  const ticks = stats.filter((s) => ours.has(s.pid))
      .reduce((sum, s) => sum + s.ticks, 0);
  return ticks / 100; // USER_HZ
}

// CPU seconds the whole machine has been busy (every field of /proc/stat's
// first line but idle and iowait), so that the panel's figures can say
// how much of the machine was taken by others while they were measured:
// on 2 cores the browser needs most of both, and a figure taken beside
// a build or a test run is lower by ten points or more.
function machineCpuSeconds() {
  const [, ...fields] = fs.readFileSync("/proc/stat", "utf8").split("\n")[0]
      .trim().split(/\s+/).map(Number);
  const [user, nice, system, , , irq, softirq, steal] = fields;
  return (user + nice + system + irq + softirq + steal) / 100;
}

// The screens that the model panel's cost is measured on: the window's
// size in CSS px, device pixels a CSS pixel, whether the browser takes
// it for a phone's (its scrollbars then lie over the page, as a phone's
// do), and whether the page keeps its scrollbar either way. In the
// narrow window it does: the scrollbar that the open panel brings would
// otherwise shrink the picture to 625 x 469, scaled at each frame, and
// the figure would be the scaling's, not the panel's. On the desktop
// the picture shrinks from 1067 x 800 to 885 x 664 when the panel opens
// beside it, as it does for a person there.
const panelScreens = [
  { what: "a phone, 390 x 844 at 2 device pixels a CSS pixel, the panel " +
          "under the picture", width: 390, height: 844, ratio: 2, mobile: true },
  { what: "a narrow window, 655 x 1000, the panel under a picture of " +
          "640 x 480 either way", width: 655, height: 1000, scrollbar: true },
  { what: "a desktop window, 1280 x 800, the panel beside the picture",
    width: 1280, height: 800 },
];

// Driving with the model panel closed and open on a screen, in turns of
// 3 s, twelve of each: the median of each turn's frames a second, the
// median ratio of each open turn to the closed turn before it (a busy
// machine's load moves from one minute to the next, less within 6 s),
// and the browser's CPU ms a frame over all turns of each.
async function panelRates(browser, page, screen) {
  await page.screen(screen.width, screen.height, screen.ratio || 1,
                    !!screen.mobile);
  await page.evaluate("document.documentElement.style.overflowY = '" +
                      (screen.scrollbar ? "scroll" : "") + "'");
  const turns = { closed: [], open: [] };
  const cpu = { closed: [0, 0], open: [0, 0] }; // seconds, frames
  const others = [0, 0]; // CPU seconds outside the browser, wall seconds
  for (let i = 0; i < 12; ++i)
    for (const open of [false, true]) {
      await page.evaluate("modelPanel.panel.hidden === " + open + " && " +
                          "document.getElementById('model-toggle').click()");
      await sleep(500);
      const [flips, started, cpuBefore, machineBefore] = [
        await page.evaluate("driveFlips"), Date.now(),
        browserCpuSeconds(browser), machineCpuSeconds()];
      await sleep(3000);
      const frames = await page.evaluate("driveFlips") - flips;
      const name = open ? "open" : "closed";
      const [seconds, used] = [(Date.now() - started) / 1000,
                               browserCpuSeconds(browser) - cpuBefore];
      turns[name].push(frames / seconds);
      cpu[name][0] += used;
      cpu[name][1] += frames;
      others[0] += machineCpuSeconds() - machineBefore - used;
      others[1] += seconds;
    }
  await page.evaluate("modelPanel.panel.hidden || " +
                      "document.getElementById('model-toggle').click()");
  await page.evaluate("document.documentElement.style.overflowY = ''");
  await page.screen(800, 480, 1, false);
  return {
    closed: median(turns.closed), open: median(turns.open),
    ratio: median(turns.open.map((rate, i) => rate / turns.closed[i])),
    cpuClosed: 1000 * cpu.closed[0] / cpu.closed[1],
    cpuOpen: 1000 * cpu.open[0] / cpu.open[1],
    others: others[0] / others[1],
  };
}

const median = (values) =>
  [...values].sort((a, b) => a - b)[(values.length - 1) >> 1];
const ms = (value) => Number.isNaN(value) ? "-" : value.toFixed(0);

// What the files that the server sent in full weigh, as they are and
// each gzipped at gzip's strongest.
function firstVisitBytes(folder, served) {
  let plain = 0;
  let gzipped = 0;
  for (const file of served) {
    const bytes = fs.readFileSync(path.join(folder, file === "/" ? "index.html"
                                                                 : file));
    plain += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  return "first visit: " + (plain / 1000).toFixed(0) + " kB in " +
      served.length + " requests, " + (gzipped / 1000).toFixed(0) +
      " kB with each file gzipped";
}

// One folder's visits: a first and a second visit in a context of its
// own; on the first, the bytes and the frames a second too.
async function visits(browser, folder, server, figures) {
  const [page, close] = await freshPage(browser);
  const servedBefore = server.served().length;
  figures.firsts.push(await visit(page, server.url));
  if (startOnly)
    return close();
  await stored(page, folder);
  if (!figures.bytes) {
    figures.bytes = firstVisitBytes(folder,
                                    server.served().slice(servedBefore));
    const resting = await framesPerSecond(page);
    await page.key(true, "ArrowUp");
    const driving = await framesPerSecond(page);
    // A build from before the model panel has none to open.
    if (await page.evaluate("typeof modelPanel !== 'undefined'")) {
      figures.panel = [];
      for (const screen of panelScreens)
        figures.panel.push(await panelRates(browser, page, screen));
    }
    await page.key(false, "ArrowUp");
    figures.rates = [resting, driving];
  }
  figures.seconds.push(await visit(page, server.url));
  await close();
}

// The main thread's figures of blocking()'s traces: medians, each
// trace's figure in brackets.
function reportTasks(whose, tasks) {
  const figure = (name) => {
    const values = tasks.map((t) => t[name]);
    return "median " + ms(median(values)) + " ms (" + values.map(ms).join(", ") + ")";
  };
  console.log(whose + ": longest task of the main thread to 10 s after the " +
              "first frame: " + figure("longest") + "; after the navigation's " +
              "commit: " + figure("ownLongest") + "; total blocking time: " +
              figure("blocking") + "; the same from the first contentful " +
              "paint to the time to interactive, as Lighthouse counts it: " +
              figure("lighthouse"));
}

function report(folder, floor,
                { firsts, seconds, bytes, rates, tasks, floors, floorTasks, panel }) {
  console.log("== " + folder);
  if (bytes)
    console.log(bytes);
  reportTasks("the page", tasks);
  if (floorTasks.length > 0)
    reportTasks("the floor", floorTasks);
  if (floors.length > 0) {
    const page = median(firsts.map((v) => v["first frame"]));
    // Each visit against the floor's visit just before it, in its turn.
    const turns = firsts.map((v, i) => v["first frame"] / floors[i]);
    console.log("the floor's first frame, first visits: median " +
                ms(median(floors)) + " ms (" + floors.map(ms).join(", ") +
                "); the page's against it: " +
                (page / median(floors)).toFixed(2) + " times; turn by " +
                "turn: median " + median(turns).toFixed(2) + " (" +
                turns.map((r) => r.toFixed(2)).join(", ") + ")");
  } else {
    console.log("no floor page in " + floor + " (cmake --build --preset " +
                "web --target web_floor)");
  }
  for (const [what, list] of [["first", firsts], ["second", seconds]]) {
    if (list.length === 0)
      continue;
    console.log("load to first frame, " + what + " visits: median " +
                ms(median(list.map((v) => v["first frame"]))) + " ms over " +
                list.length + " (" +
                list.map((v) => ms(v["first frame"])).join(", ") + ")");
    console.log("  medians of the steps, ms from the navigation's start:");
    for (const step of Object.keys(list[0]))
      console.log("    " + ms(median(list.map((v) => v[step]))) + "\t" + step);
  }
  if (!rates)
    return;
  console.log("frames a second, 640 x 480: " + rates[0].toFixed(1) +
              " at rest, " + rates[1].toFixed(1) + " driving");
  if (!panel)
    return;
  panel.forEach((p, n) => console.log(
      "frames a second driving on " + panelScreens[n].what +
      ", model panel closed / open: " + p.closed.toFixed(1) + " / " +
      p.open.toFixed(1) + ", open against closed: " +
      (100 * p.ratio).toFixed(0) + "%; the browser's CPU ms a frame: " +
      p.cpuClosed.toFixed(1) + " / " + p.cpuOpen.toFixed(1) +
      "; the rest of the machine meanwhile: " + p.others.toFixed(2) +
      " of " + os.cpus().length + " cores"));
}

async function main() {
  const servers = await Promise.all(folders.map((folder) => serve(folder)));
  const browser = new Browser(process.env.CHROMIUM || "chromium",
                              path.join(work, "chromium.log"));
  console.log("CPU throttled " + rate + " times");
  try {
    // The browser's own start (its GPU process) is done with before the
    // visits that count, as in a browser that a person has open already.
    const [warm, closeWarm] = await freshPage(browser);
    const started = await visit(warm, servers[0].url);
    console.log("load to first frame, in a browser just started: " +
                ms(started["first frame"]) + " ms");
    await closeWarm();
    const figures = folders.map(() => ({ firsts: [], seconds: [], tasks: [],
                                         floors: [], floorTasks: [] }));
    const floors = folders.map((folder) => path.join(folder, "..", "floor"));
    const floorServers = await Promise.all(floors.map((floor) =>
        fs.existsSync(floor) ? serve(floor) : null));
    for (let i = 0; i < starts; ++i)
      for (const [n, folder] of folders.entries()) {
        if (floorServers[n])
          figures[n].floors.push(await floorVisit(browser, floorServers[n].url));
        await visits(browser, folder, servers[n], figures[n]);
        figures[n].tasks.push(await blocking(browser, servers[n].url));
        if (floorServers[n])
          figures[n].floorTasks.push(await blocking(browser,
                                                    floorServers[n].url + "floor.html"));
      }
    await Promise.all(floorServers.map((server) => server && server.stop()));
    folders.forEach((folder, n) => report(folder, floors[n], figures[n]));
  } finally {
    await browser.close();
    await Promise.all(servers.map((server) => server.stop()));
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error("FAIL: " + error.message);
  process.exitCode = 1;
});
