// The page around the program: starts it on a fresh canvas with the two
// images in its working directory, shows its messages with their English
// meaning, and says how it ended. Each start is a new instance of the
// program (createDrive, made by emscripten), as a new process would be.
"use strict";

// The program's messages (plain-ASCII Spanish) and their English
// meaning, as the README's troubleshooting tables give them. A message
// line is matched by the start of its text.
const meanings = [
  ["Error durante la inicializacion de AllegroGL",
   "Error while starting AllegroGL, the OpenGL add-on"],
  ["Error durante la instalacion del teclado",
   "Error while installing the keyboard handler"],
  ["Error durante la instalacion del temporizador",
   "Error while installing the timer service"],
  ["causa desconocida", "Unknown cause: the library gave no reason"],
  ["Error durante la instalacion de los contadores",
   "Error while installing the counters: no timer slot is left"],
  ["Error durante el establecimiento del modo grafico",
   "Error while setting the display mode: no 640x480 OpenGL display"],
  ["el navegador no ofrece WebGL",
   "The browser offers no WebGL, or has it turned off"],
  ["no se pudo abrir la pantalla WebGL",
   "The browser refused a WebGL display for the page"],
  ["Error durante la carga de la imagen",
   "Error while loading the image FILE"],
  ["no se puede abrir el archivo",
   "The file cannot be opened: missing or not readable"],
  ["no se puede leer el archivo",
   "The file cannot be read (for example, the name is a folder)"],
  ["el archivo es demasiado grande",
   "The file is larger than any image within the limit could be"],
  ["el archivo no es una imagen BMP", "The file is not a BMP image"],
  ["el archivo esta incompleto",
   "The file is shorter than its headers or compressed data declare"],
  ["la cabecera de la imagen no es valida", "The image header is not valid"],
  ["el tamano de la imagen no es valido",
   "The image size is not valid (zero or negative width, zero height)"],
  ["la imagen mide mas de 4096 x 4096 pixeles",
   "The image is larger than 4096 x 4096 pixels"],
  ["la profundidad de color no es compatible",
   "Colour depth not supported (bits per pixel other than 1, 4, 8, 16, 24, 32)"],
  ["la compresion de la imagen no es compatible",
   "Compression not supported (JPEG, PNG, Huffman, RLE24 in a BMP)"],
  ["las mascaras de color no son validas", "The colour masks are not valid"],
  ["un pixel usa un color que no esta en la paleta",
   "A pixel uses a colour that is not in the palette"],
  ["los datos comprimidos se salen de la imagen",
   "The compressed data run outside the image"],
  ["no hay memoria suficiente para la imagen",
   "Not enough memory for the image"],
];

// Each line of a message followed by its meaning, where one is known.
function explain(message) {
  return message.split("\n").filter((line) => line !== "").map((line) => {
    const known = meanings.find(([spanish]) => line.startsWith(spanish));
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
let running = null; // the instance now running, if any

async function fetchIncluded() {
  for (const name of ["lep.bmp", "emblem.bmp"]) {
    const response = await fetch(name);
    if (!response.ok)
      throw new Error("cannot fetch " + name + ": " + response.status);
    included[name] = new Uint8Array(await response.arrayBuffer());
  }
}

function showEnd(status) {
  window.driveExitStatus = status;
  page.state.textContent = "The program has ended.";
  page.endedText.textContent = "Ended with status " + status +
      (status === 0 ? " (Escape)." : " (a failure).") + " ";
  page.ended.hidden = false;
}

// Starts a fresh instance on a fresh canvas; one still running is
// stopped first and left to the garbage collector.
function start() {
  if (running)
    running.driveStopped = true;
  delete window.driveExitStatus;
  page.message.hidden = true;
  page.ended.hidden = true;
  const canvas = document.createElement("canvas");
  canvas.width = 640;
  canvas.height = 480;
  page.screen.replaceChildren(canvas);
  const instance = {
    canvas: canvas,
    preRun: [() => {
      for (const name of ["lep.bmp", "emblem.bmp"])
        instance.FS.writeFile(name, chosen[name] || included[name]);
    }],
    onDriveMessage: (text) => {
      page.message.textContent = explain(text);
      page.message.hidden = false;
    },
    onExit: (status) => {
      if (running === instance)
        showEnd(status);
    },
    onAbort: (what) => {
      if (running === instance)
        page.state.textContent = "The program stopped on an error: " + what;
    },
  };
  running = instance;
  const own = chosen["lep.bmp"] || chosen["emblem.bmp"] ? " with your images" : "";
  page.state.textContent = "Running" + own + ". Click the picture if keys do nothing.";
  createDrive(instance);
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
document.getElementById("fullscreen").addEventListener("click", () => {
  if (page.screen.requestFullscreen)
    page.screen.requestFullscreen();
});
page.screen.tabIndex = 0;

fetchIncluded().then(start, (error) => {
  page.state.textContent = "The images could not be fetched (" + error.message +
      "). Serve this folder over HTTP, e.g. python3 -m http.server -d FOLDER.";
});
