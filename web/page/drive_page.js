// The page around the program: runs it in a frame of its own with the
// two images in its working directory, shows its messages with their
// English meaning, and says how it ended. Each start is a fresh frame,
// as a new process would be: the browser discards the last one whole,
// with its memory and whatever listeners its runtime left behind.
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

// The files the program reads: the included images, or a person's own.
const included = {};
const chosen = {};
let frame = null; // the frame of the run now going on

async function fetchIncluded() {
  for (const name of ["lep.bmp", "emblem.bmp"]) {
    const response = await fetch(name);
    if (!response.ok)
      throw new Error("cannot fetch " + name + ": " + response.status);
    included[name] = new Uint8Array(await response.arrayBuffer());
  }
}

// What the frame (frame.js) calls, each with the frame's window first,
// so that a word from a frame already replaced is passed over.
window.drivePage = {
  files: () => ["lep.bmp", "emblem.bmp"].map(
      (name) => [name, chosen[name] || included[name]]),
  showMessage: (from, text) => {
    if (!frame || from !== frame.contentWindow)
      return;
    page.message.textContent = explain(text);
    page.message.hidden = false;
  },
  showEnd: (from, status) => {
    if (!frame || from !== frame.contentWindow)
      return;
    window.driveExitStatus = status;
    page.state.textContent = "The program has ended.";
    page.endedText.textContent = "Ended with status " + status +
        (status === 0 ? " (Escape)." : " (a failure).") + " ";
    page.ended.hidden = false;
  },
  showAbort: (from, what) => {
    if (frame && from === frame.contentWindow)
      page.state.textContent = "The program stopped on an error: " + what;
  },
};

// Starts the program afresh in a new frame, which takes the keys.
function start() {
  delete window.driveExitStatus;
  page.message.hidden = true;
  page.ended.hidden = true;
  frame = document.createElement("iframe");
  frame.src = "frame.html";
  frame.title = "drive";
  frame.allowFullscreen = true;
  heldKeys.retarget(null);
  frame.addEventListener("load", () => {
    heldKeys.retarget(frame.contentWindow);
    frame.contentWindow.focus();
  });
  page.screen.replaceChildren(frame);
  const own = chosen["lep.bmp"] || chosen["emblem.bmp"] ? " with your images" : "";
  page.state.textContent = "Running" + own + ". Click the picture if keys do nothing.";
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
  if (frame)
    frame.contentWindow.focus(); // the keys go back to the program
});

// After one visit the page starts without the network (service_worker.js).
if ("serviceWorker" in navigator)
  navigator.serviceWorker.register("service_worker.js").catch(() => {});

fetchIncluded().then(start, (error) => {
  page.state.textContent = "The images could not be fetched (" + error.message +
      "). Serve this folder over HTTP, e.g. python3 -m http.server -d FOLDER.";
});
