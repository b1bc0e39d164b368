// The on-screen controls (index.html's buttons with a data-code): each
// holds its key while a finger, a pen or the mouse is on it, so several
// fingers hold several keys. A finger that slides off lets go, and one
// that slides onto another control holds that instead.
"use strict";

const touchControls = {
  stage: document.getElementById("stage"),
  toggle: document.getElementById("touch-toggle"),
  on: new Map(), // pointerId -> the control under that pointer, or null

  // Moves a pressed pointer onto a control (or off all, with null).
  move(pointerId, control) {
    const was = touchControls.on.get(pointerId);
    if (was === control)
      return;
    const source = "pointer " + pointerId;
    if (was) {
      was.classList.remove("held");
      heldKeys.release(source, was.dataset.code);
    }
    if (control) {
      control.classList.add("held");
      heldKeys.hold(source, control.dataset.code);
    }
    touchControls.on.set(pointerId, control);
  },

  lift(event) {
    touchControls.move(event.pointerId, null);
    touchControls.on.delete(event.pointerId);
  },

  show(shown) {
    document.body.classList.toggle("touch", shown);
    touchControls.toggle.setAttribute("aria-pressed", String(shown));
  },
};

const controlAt = (element) =>
  element && element.closest ? element.closest("[data-code]") : null;

touchControls.stage.addEventListener("pointerdown", (event) => {
  const control = controlAt(event.target);
  if (!control)
    return;
  // A touch is held by the element it began on; let it go, so that
  // sliding off fires pointerout.
  if (control.hasPointerCapture(event.pointerId))
    control.releasePointerCapture(event.pointerId);
  touchControls.move(event.pointerId, control);
});
touchControls.stage.addEventListener("pointerover", (event) => {
  if (touchControls.on.has(event.pointerId))
    touchControls.move(event.pointerId, controlAt(event.target));
});
touchControls.stage.addEventListener("pointerout", (event) => {
  if (touchControls.on.has(event.pointerId))
    touchControls.move(event.pointerId, controlAt(event.relatedTarget));
});
for (const type of ["pointerup", "pointercancel"])
  touchControls.stage.addEventListener(type, touchControls.lift);
// No focus taken from the program, no text selected, no menu.
touchControls.stage.addEventListener("mousedown", (e) => e.preventDefault());
touchControls.stage.addEventListener("contextmenu", (e) => e.preventDefault());
// A control activated without a pointer (a screen reader, the keyboard)
// presses its key for a tenth of a second, long enough for a poll.
touchControls.stage.addEventListener("click", (event) => {
  const control = controlAt(event.target);
  if (!control || event.detail !== 0)
    return;
  heldKeys.hold("click", control.dataset.code);
  setTimeout(() => heldKeys.release("click", control.dataset.code), 100);
});

touchControls.toggle.addEventListener("click", () => {
  touchControls.show(!document.body.classList.contains("touch"));
  if (heldKeys.target)
    heldKeys.target.focus(); // the keys go back to the program
});
touchControls.show(matchMedia("(any-pointer: coarse)").matches ||
                   navigator.maxTouchPoints > 0);
