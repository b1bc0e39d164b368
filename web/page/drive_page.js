// The page around the program: runs it (program.js) in a frame of its
// own with the two images in its working directory, shows its messages
// with their English meaning, and says how it ended. Each start is a
// fresh frame, as a new process would be: the browser discards the last
// one whole, with its memory and whatever listeners its runtime left
// behind.
"use strict";

// Each line of a message followed by its meaning, where one is known.
function explain(message) {
  return message.split("\n").filter((line) => line !== "").map((line) => {
    const known = driveMeanings.find(([spanish]) => line.startsWith(spanish));
    if (!known)
      return line;
    const file = line.match(/^Error durante la carga de la imagen (.*):$/);
    const english = file ? known[1].replace("FILE", file[1]) : known[1];
    return line + "\n    (" + english + ")";
  }).join("\n");
}

const page = {
  screen: document.getElementById("screen"),
  state: document.getElementById("state"),
  message: document.getElementById("message"),
  ended: document.getElementById("ended"),
  endedText: document.getElementById("ended-text"),
  road: document.getElementById("road-file"),
  roadside: document.getElementById("roadside-file"),
};

// The images the program reads: the included ones, or a person's own.
const chosen = {};
let frame = null; // the frame of the run now going on

// The page's side of a run in frame made: each word from a frame already
// replaced is passed over.
function handlersOf(made) {
  const current = (then) => (...args) => {
    if (frame === made)
      then(...args);
  };
  return {
    message: current((text) => {
      page.message.textContent = explain(text);
      page.message.hidden = false;
    }),
    exit: current((status) => {
      window.driveExitStatus = status;
      driveSave.ended();
      page.state.textContent = "The program has ended.";
      page.endedText.textContent = "Ended with status " + status +
          (status === 0 ? " (Escape)." : " (a failure).") + " ";
      page.ended.hidden = false;
    }),
    abort: current((what) => {
      page.state.textContent = "The program stopped on an error: " + what;
    }),
    started: registerWorker,
    // The run's record, for the model panel and "Save this drive".
    attach: current((drive) => {
      const record = recordOf(drive);
      modelPanel.attach(record);
      driveSave.attach(record);
    }),
  };
}

// Runs the program in the frame made once its document has loaded.
async function run(made) {
  const fetched = await program.ready.catch(() => null);
  if (!fetched || frame !== made)
    return; // the failure to fetch is told below
  const w = made.contentWindow;
  heldKeys.retarget(w);
  w.focus();
  const files = fetched.images.map(([name, bytes]) =>
    [name, chosen[name] || bytes]);
  runProgram(w, fetched, files, handlersOf(made));
}

// Starts the program afresh in a new frame, which takes the keys. The
// frame replaces the last one once its document is there.
function start() {
  delete window.driveExitStatus;
  page.message.hidden = true;
  page.ended.hidden = true;
  modelPanel.attach(null);
  driveSave.attach(null);
  const made = document.createElement("iframe");
  frame = made;
  made.title = "drive";
  made.allowFullscreen = true;
  heldKeys.retarget(null);
  const own = chosen["lep.bmp"] || chosen["emblem.bmp"] ? " with your images" : "";
  page.state.textContent = "Running" + own + ". Click the picture if keys do nothing.";
  program.document.then((html) => {
    if (frame !== made)
      return;
    made.srcdoc = html;
    made.addEventListener("load", () => run(made), { once: true });
    page.screen.replaceChildren(made);
  }, () => {});
}

// A chosen file replaces one image; the program starts again with it.
async function choose(input, name) {
  const file = input.files[0];
  if (!file)
    return;
  chosen[name] = new Uint8Array(await file.arrayBuffer());
  start();
}

page.road.addEventListener("change", () => choose(page.road, "lep.bmp"));
page.roadside.addEventListener("change",
                               () => choose(page.roadside, "emblem.bmp"));
document.getElementById("own-images-off").addEventListener("click", () => {
  delete chosen["lep.bmp"];
  delete chosen["emblem.bmp"];
  page.road.value = "";
  page.roadside.value = "";
  start();
});
document.getElementById("again").addEventListener("click", start);
// Browsers allow full screen only on a person's gesture, such as this.
// The picture and the touch controls go full screen together.
document.getElementById("fullscreen").addEventListener("click", () => {
  const stage = document.getElementById("stage");
  if (stage.requestFullscreen)
    stage.requestFullscreen().catch(() => {});
  if (frame && frame.contentWindow)
    frame.contentWindow.focus(); // the keys go back to the program
});

// After one visit the page starts without the network (service_worker.js).
// The worker stores the folder once the program has started, so that
// its downloads come after the program's. Each visit asks the server for
// a newer worker, which new_version.js offers once installed.
let workerRegistered = false;
function registerWorker() {
  if (workerRegistered || !("serviceWorker" in navigator))
    return;
  workerRegistered = true;
  navigator.serviceWorker.register("service_worker.js").then((registration) => {
    newVersion.watch(registration);
    return registration.update();
  }).catch(() => {});
}

start();
Promise.all([program.document, program.ready]).catch((error) => {
  page.state.textContent = "The program could not be fetched (" +
      error.message + "). Serve this folder over HTTP, e.g. " +
      "python3 -m http.server -d FOLDER.";
});
