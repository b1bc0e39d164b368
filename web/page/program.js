// The program's files, fetched once as the page loads, all at once: the
// frame's document, the runtime (drive.js), the wasm, compiled while it
// downloads, and the included images. Each start runs them in a new
// frame that fetches nothing of its own (drive_page.js): a frame
// replaced while it loads leaves no request behind in the service
// worker, which Firefox would report as the worker's failure.
"use strict";

async function fetchOk(name) {
  const response = await fetch(name);
  if (!response.ok)
    throw new Error("cannot fetch " + name + ": " + response.status);
  return response;
}

// Compiled as it arrives, where the server calls it application/wasm;
// from its bytes otherwise.
async function compiled(name) {
  const response = await fetchOk(name);
  try {
    return await WebAssembly.compileStreaming(response.clone());
  } catch (error) {
    return WebAssembly.compile(await response.arrayBuffer());
  }
}

// Each a promise; ready, of them all.
const program = {
  document: fetchOk("frame.html").then((response) => response.text()),
  // As a blob's address, which the frame's script element loads and
  // compiles beside its other work.
  runtime: fetchOk("drive.js").then(async (response) =>
    URL.createObjectURL(await response.blob())),
  wasm: compiled("drive.wasm"),
  images: Promise.all(["lep.bmp", "emblem.bmp"].map(async (name) => [
    name, new Uint8Array(await (await fetchOk(name)).arrayBuffer())])),
};
program.ready = Promise.all([program.runtime, program.wasm, program.images])
    .then(([runtime, wasm, images]) => ({ runtime, wasm, images }));

// Runs the program, as fetched (program.ready's), in window w of a frame
// made with program.document: a fresh instance, whose working directory
// holds the files given as [name, bytes]. The page hears of it through
// handlers: message(text), exit(status), abort(what), started() once
// the program has drawn its first frame or ended, whichever comes first,
// and attach(module) with the instance's module before main runs.
// Nothing reaches a frame that the page has removed meanwhile.
function runProgram(w, { runtime, wasm }, files, handlers) {
  // A long touch or a right click on the picture opens no menu.
  w.document.addEventListener("contextmenu", (event) => event.preventDefault());
  const script = w.document.createElement("script");
  script.src = runtime;
  // The runtime's set-up (createDrive) in a task after the one that ran
  // the script: each is long enough alone on a slow phone.
  script.addEventListener("load", () => w.setTimeout(() => {
    if (!w.closed)
      createIn(w, wasm, files, handlers);
  }));
  w.document.body.append(script); // defines createDrive in the frame
}

function createIn(w, wasm, files, handlers) {
  w.createDrive({
    canvas: w.document.getElementById("canvas"),
    driveFiles: files, // read where they are (web/files.h)
    preRun: [(drive) => handlers.attach(drive)],
    // The instance goes on in a task of its own: the runtime's set-up
    // above and the program's start are each long enough alone.
    instantiateWasm: (imports, receive) => {
      w.WebAssembly.instantiate(wasm, imports).then((instance) => {
        w.setTimeout(() => receive(instance, wasm));
      }, (error) => handlers.abort(String(error)));
      return {}; // the exports come later, through receive
    },
    onDriveFirstFrame: handlers.started,
    onDriveMessage: handlers.message,
    onDriveExit: (status) => {
      handlers.started();
      handlers.exit(status);
    },
    onAbort: (what) => handlers.abort(String(what)),
  });
}
