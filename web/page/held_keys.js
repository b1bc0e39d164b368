// The keys that the page's own controls hold (touch.js, gamepad.js),
// given to the program as the key events of its keyboard, so that its
// poll cannot tell a control from its key. A key stays down while any
// source holds it and goes up when the last lets go.
"use strict";

const heldKeys = {
  target: null, // the window of the program now running
  holders: new Map(), // KeyboardEvent.code -> Set of sources

  send(type, code) {
    const target = heldKeys.target;
    if (target && !target.closed)
      target.dispatchEvent(new target.KeyboardEvent(
          type, { code, key: code, bubbles: true, cancelable: true }));
  },

  hold(source, code) {
    if (!heldKeys.holders.has(code))
      heldKeys.holders.set(code, new Set());
    const sources = heldKeys.holders.get(code);
    if (sources.size === 0)
      heldKeys.send("keydown", code);
    sources.add(source);
  },

  release(source, code) {
    const sources = heldKeys.holders.get(code);
    if (!sources || !sources.delete(source) || sources.size > 0)
      return;
    heldKeys.send("keyup", code);
  },

  // Holds exactly the given codes for this source.
  holdOnly(source, codes) {
    for (const [code, sources] of heldKeys.holders)
      if (sources.has(source) && !codes.has(code))
        heldKeys.release(source, code);
    for (const code of codes)
      heldKeys.hold(source, code);
  },

  releaseAll() {
    for (const [code, sources] of heldKeys.holders) {
      if (sources.size > 0)
        heldKeys.send("keyup", code);
      sources.clear();
    }
  },

  // A new run starts with every key up, as the program's keyboard does.
  retarget(target) {
    heldKeys.holders.clear();
    heldKeys.target = target;
  },
};

// Nothing stays held when the page loses the focus (to another window,
// not to the program's own frame) or is hidden.
window.addEventListener("blur", () => setTimeout(() => {
  if (!document.hasFocus())
    heldKeys.releaseAll();
}, 0));
document.addEventListener("visibilitychange", () => {
  if (document.hidden)
    heldKeys.releaseAll();
});
