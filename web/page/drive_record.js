// The drive's record of the run on the page, read from its wasm module
// (web/record_exports.h): one row a physics step, with the keys, the
// car, the step's parts and the handling constants. The model panel
// (model_panel.js) reads its rows; "Save this drive" writes them as CSV,
// a chunk of rows at a time so that the page never stops for long.
"use strict";

// The record of one run, over the functions of its module (drive).
function recordOf(drive) {
  const names = [];
  for (let i = 0; i < drive._drive_record_columns(); ++i)
    names.push(drive.UTF8ToString(drive._drive_record_column_name(i)));
  return {
    begin: () => drive._drive_record_begin(),
    end: () => drive._drive_record_end(),
    limit: drive._drive_record_limit(),
    // A column's index by its name in the saved drive's head.
    column: (name) => names.indexOf(name),
    value: (row, column) => drive._drive_record_value(row, column),
    head: () => drive.UTF8ToString(drive._drive_record_head()),
    lines: (first, count) =>
      drive.UTF8ToString(drive._drive_record_lines(first, count)),
  };
}

// About a frame's work between two yields to the browser: each chunk
// takes as many rows as the last one wrote in that time.
const saveSliceMs = 20;

const nextTask = () => new Promise((resolve) => setTimeout(resolve));

// The record's rows kept now, as CSV text in a Blob; progress(done) is
// told the share written so far. Rows that the drive goes on to add
// meanwhile are left out; those it drops from the front of a full record
// (one a step, against hundreds a chunk) are written before it can.
async function csvOf(record, progress) {
  const first = record.begin();
  const end = record.end();
  const parts = [record.head()];
  let chunk = 100;
  for (let row = first; row < end;) {
    if (row < record.begin())
      throw new Error("the drive dropped rows before they were written");
    const rows = Math.min(chunk, end - row);
    const started = performance.now();
    parts.push(record.lines(row, rows));
    const took = Math.max(performance.now() - started, 1);
    chunk = Math.max(10, Math.min(10000, Math.round(rows * saveSliceMs / took)));
    row += rows;
    progress((row - first) / (end - first));
    await nextTask();
  }
  return { blob: new Blob(parts, { type: "text/csv" }), rows: end - first };
}

// drive-2025-01-31-142501.csv: when it was saved, in local time.
function savedName(date) {
  const two = (n) => String(n).padStart(2, "0");
  return "drive-" + date.getFullYear() + "-" + two(date.getMonth() + 1) +
      "-" + two(date.getDate()) + "-" + two(date.getHours()) +
      two(date.getMinutes()) + two(date.getSeconds()) + ".csv";
}

// A count in English, its digits in threes: 180000 -> "180,000". Not
// toLocaleString, whose first call loads the browser's locale data (some
// 60 ms, four times that on a slow phone), and the first is made as the
// program starts.
const grouped = (count) => String(count).replace(/\B(?=(\d{3})+(?!\d))/g, ",");

// The "Save this drive" button and what the page says beside it.
const driveSave = {
  button: document.getElementById("save-drive"),
  said: document.getElementById("save-state"),
  record: null, // of the run now on the page
  saving: false,

  // The record of a new run, or null while none has started.
  attach(record) {
    driveSave.record = record;
    driveSave.button.disabled = !record || driveSave.saving;
    driveSave.said.textContent = record ? "It keeps the last " +
        grouped(record.limit / 6000) + " minutes (" +
        grouped(record.limit) + " steps)." : "";
  },

  // The program has ended: its drive stays until the next start.
  ended() {
    if (driveSave.record && !driveSave.saving)
      driveSave.said.textContent = "The program has ended: its drive can " +
          "still be saved until it starts again.";
  },

  async save() {
    const record = driveSave.record;
    if (!record || driveSave.saving)
      return;
    if (record.end() === record.begin()) {
      driveSave.said.textContent = "Nothing to save yet: the car has not " +
          "taken a step.";
      return;
    }
    driveSave.saving = true;
    driveSave.button.disabled = true;
    try {
      const { blob, rows } = await csvOf(record, (done) => {
        driveSave.said.textContent = "Saving: " + Math.floor(done * 100) + "%";
      });
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = savedName(new Date());
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      driveSave.said.textContent = "Saved " + grouped(rows) +
          " rows (" + (blob.size / 1e6).toFixed(1) + " MB) as " +
          link.download + ".";
    } catch (error) {
      driveSave.said.textContent = "Not saved: " + error.message + ".";
    } finally {
      driveSave.saving = false;
      driveSave.button.disabled = !driveSave.record;
    }
  },
};

driveSave.button.addEventListener("click", driveSave.save);
