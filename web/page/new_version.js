// A newer build of the page, which the service worker has installed
// beside the one running, is offered on a line of the page ("A new
// version is ready: reload") rather than switched to under the driver.
// Choosing it tells the waiting worker to take over, and the page
// reloads once it has (controllerchange): a reload alone would keep the
// old worker while this tab is its only page.
"use strict";

const newVersion = {
  line: document.getElementById("new-version"),
  waiting: null, // the worker installed and waiting, once there is one
  chosen: false,

  // Watches the page's registration; a first install is no new version.
  watch(registration) {
    const offer = () => {
      if (!registration.waiting || !navigator.serviceWorker.controller)
        return;
      newVersion.waiting = registration.waiting;
      newVersion.line.hidden = false;
    };
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => {
        if (worker.state === "installed")
          offer();
      });
    });
    offer();
  },
};

document.getElementById("reload").addEventListener("click", () => {
  newVersion.chosen = true;
  if (newVersion.waiting)
    newVersion.waiting.postMessage("take over");
});
if ("serviceWorker" in navigator)
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (newVersion.chosen)
      location.reload();
  });
