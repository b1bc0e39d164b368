// Gamepads in the browser's standard mapping, read once a frame: the
// keys that the pads' buttons and sticks hold. A pad unplugged is gone
// from the next read, and so are the keys it held.
"use strict";

// Button indices of the standard mapping (w3.org/TR/gamepad).
const padButtons = [
  [0, "Space"], // bottom face button: brake
  [4, "F1"], // left shoulder: grippy
  [5, "F2"], // right shoulder: slippery
  [6, "ArrowDown"], // left trigger: throttle down
  [7, "ArrowUp"], // right trigger: throttle up
  [8, "Escape"], // Back / Select: quit
  [9, "F12"], // Start: back to the start
  [14, "ArrowLeft"], // d-pad left
  [15, "ArrowRight"], // d-pad right
];
const stickDeadZone = 0.3; // of the left stick's travel, either way

function padKeys(pad, codes) {
  for (const [index, code] of padButtons) {
    const button = pad.buttons[index];
    if (button && (button.pressed || button.value > 0.5))
      codes.add(code);
  }
  const x = pad.axes[0] || 0;
  if (x < -stickDeadZone)
    codes.add("ArrowLeft");
  if (x > stickDeadZone)
    codes.add("ArrowRight");
}

// Read at each animation frame while any pad is connected, and not at
// all before: the browser tells of a pad once one of its buttons has been
// pressed on the page (gamepadconnected), and most visitors have none, so
// the page's frames, the program's first among them, carry no pad work.
let padsRead = false;

function readPads() {
  const codes = new Set();
  let connected = false;
  for (const pad of navigator.getGamepads())
    if (pad && pad.connected) {
      connected = true;
      if (pad.mapping === "standard")
        padKeys(pad, codes);
    }
  heldKeys.holdOnly("gamepad", codes);
  padsRead = connected; // the last pad gone, its keys let go, reading stops
  if (connected)
    requestAnimationFrame(readPads);
}

window.addEventListener("gamepadconnected", () => {
  if (!padsRead && navigator.getGamepads) {
    padsRead = true;
    requestAnimationFrame(readPads);
  }
});
