// One run of the program, in a frame of the page (drive_page.js): the
// page's files go into the program's working directory before main
// runs, and its messages and its end go to the page.
"use strict";
const drivePage = parent.drivePage;
const drive = {
  canvas: document.getElementById("canvas"),
  preRun: [() => {
    for (const [name, bytes] of drivePage.files())
      drive.FS.writeFile(name, bytes);
  }],
  onDriveMessage: (text) => drivePage.showMessage(window, text),
  onDriveExit: (status) => drivePage.showEnd(window, status),
  onAbort: (what) => drivePage.showAbort(window, String(what)),
};
// A long touch or a right click on the picture opens no menu.
document.addEventListener("contextmenu", (event) => event.preventDefault());
createDrive(drive);
