// "Show the model": the car seen from above and strip charts of its last
// 1,000 steps, drawn from the rows of the drive's record
// (drive_record.js), that is from what the program's own steps worked
// out. While the panel is open it reads the new rows and draws them ten
// times a second; closed, it does nothing.
"use strict";

const panelColours = {
  front: "#e69f00", // the front axle's lateral force
  rear: "#0072b2", // the rear axle's
  limit: "#d00000", // either, at its grip limit
  velocity: "#009e73",
  force: "#a0509a", // the total force
  sketch: "#444", // the car, the wheels, the slip angles and the text
  road: "#999",
};
const toDegrees = 180 / Math.PI;

// The panel draws ten times a second: often enough to follow the car,
// and each drawing of its canvases costs the browser CPU time that the
// program's frames would otherwise have.
const panelPeriodMs = 100;

// One row's values that the panel shows, by the record's column names.
const panelColumns = [
  "stepped", "velocity_wc.x", "velocity_wc.y", "angle", "angular_velocity",
  "steerangle", "throttle", "brake", "velocity.x", "velocity.y",
  "slipanglefront", "slipanglerear", "weight", "flatf.y", "flatr.y",
  "force.x", "force.y", "MAX_GRIP",
];

// Each axle's lateral force as a share of its limit, MAX_GRIP x weight.
const gripShare = (force, v) => force / (v.MAX_GRIP * v.weight);

// The charts: a label, the values at the bottom and top edges, guide
// lines, and the lines drawn, each [name, colour, value of a row].
const panelCharts = [
  ["Speed, km/h", 0, 250, [0, 100, 200], [
    ["speed", panelColours.sketch,
     (v) => Math.hypot(v["velocity_wc.x"], v["velocity_wc.y"]) * 3.6]]],
  ["Yaw rate, rad/s", -6, 6, [0], [
    ["yaw rate", panelColours.sketch, (v) => v.angular_velocity]]],
  ["Slip angle, degrees", -45, 45, [0], [
    ["front", panelColours.front, (v) => v.slipanglefront * toDegrees],
    ["rear", panelColours.rear, (v) => v.slipanglerear * toDegrees]]],
  ["Lateral force / grip limit", -1.1, 1.1, [-1, 0, 1], [
    ["front", panelColours.front, (v) => gripShare(v["flatf.y"], v)],
    ["rear", panelColours.rear, (v) => gripShare(v["flatr.y"], v)]]],
  ["Throttle and brake, %", 0, 100, [0], [
    ["throttle", panelColours.velocity, (v) => v.throttle / 2],
    ["brake", panelColours.limit, (v) => v.brake]]],
  ["Steer, degrees", -12, 12, [0], [
    ["steer", panelColours.sketch, (v) => v.steerangle * toDegrees]]],
];

// An arrow from (x, y) by (dx, dy), its head in proportion to size.
function arrow(ctx, x, y, dx, dy, size) {
  const length = Math.hypot(dx, dy);
  if (length < 1)
    return;
  const ux = dx / length;
  const uy = dy / length;
  const head = Math.min(size, length * 0.6);
  ctx.beginPath();
  ctx.moveTo(x, y);
  ctx.lineTo(x + dx - ux * head * 0.8, y + dy - uy * head * 0.8);
  ctx.stroke();
  ctx.beginPath();
  ctx.moveTo(x + dx, y + dy);
  ctx.lineTo(x + dx - ux * head - uy * head * 0.5,
             y + dy - uy * head + ux * head * 0.5);
  ctx.lineTo(x + dx - ux * head + uy * head * 0.5,
             y + dy - uy * head - ux * head * 0.5);
  ctx.fill();
}

// Car frame to the picture: x forward is up, y (to the left) is left.
// A direction at angle a from forward, positive to the left.
const ahead = (a, length) => [-Math.sin(a) * length, -Math.cos(a) * length];

// One axle at height y (front: steered by steer): its wheels, its slip
// angle (the direction the axle moves in, against the wheels'), and its
// lateral force along the car's y axis, against a bar of its limit.
function drawAxle(ctx, u, y, steer, slip, share, colour) {
  const cx = ctx.canvas.width / 2;
  ctx.strokeStyle = panelColours.sketch;
  ctx.fillStyle = panelColours.sketch;
  for (const side of [-1, 1]) {
    ctx.save();
    ctx.translate(cx + side * 0.9 * u, y);
    ctx.rotate(-steer);
    ctx.fillRect(-0.18 * u, -0.4 * u, 0.36 * u, 0.8 * u);
    ctx.restore();
  }
  // The bar of the grip limit, either way, and where it ends.
  const limit = 3 * u;
  ctx.fillStyle = panelColours.road;
  ctx.fillRect(cx - limit, y - 0.5, 2 * limit, 1);
  ctx.fillRect(cx - limit - 0.5, y - 0.3 * u, 1, 0.6 * u);
  ctx.fillRect(cx + limit - 0.5, y - 0.3 * u, 1, 0.6 * u);
  // The slip angle: the wheels' heading plus it is where the axle goes.
  ctx.setLineDash([0.15 * u, 0.15 * u]);
  ctx.lineWidth = Math.max(1, 0.06 * u);
  ctx.strokeStyle = panelColours.sketch;
  const [sx, sy] = ahead(steer + slip, 1.6 * u);
  ctx.beginPath();
  ctx.moveTo(cx, y);
  ctx.lineTo(cx + sx, y + sy);
  ctx.stroke();
  ctx.setLineDash([]);
  // The force: y to the left is left in the picture.
  const atLimit = Math.abs(share) >= 1;
  ctx.strokeStyle = ctx.fillStyle = atLimit ? panelColours.limit : colour;
  ctx.lineWidth = Math.max(2, 0.18 * u);
  arrow(ctx, cx, y, -Math.max(-1, Math.min(1, share)) * limit, 0, 0.45 * u);
  ctx.fillStyle = panelColours.sketch;
  ctx.fillText((slip * toDegrees).toFixed(1) + "\u00b0", cx + 1.25 * u,
               y - 0.45 * u);
}

// The car from above, facing up, with the road's direction beside it.
function drawCar(ctx, v) {
  const w = ctx.canvas.width;
  const h = ctx.canvas.height;
  const u = Math.min(w / 8, h / 8.5); // the picture's unit: 8 across
  const cx = w / 2;
  const cy = h * 0.52;
  ctx.fillStyle = chartBackground;
  ctx.fillRect(0, 0, w, h);
  ctx.font = Math.round(0.42 * u) + "px sans-serif";
  ctx.textBaseline = "middle";
  // The road's direction (world +y) as the car sees it.
  ctx.strokeStyle = ctx.fillStyle = panelColours.road;
  ctx.lineWidth = Math.max(1, 0.08 * u);
  const [rx, ry] = ahead(-v.angle, 0.7 * u);
  arrow(ctx, 0.9 * u - rx, 0.9 * u - ry, 2 * rx, 2 * ry, 0.3 * u);
  // The heading, from the road's direction, positive to the left.
  const heading = Math.atan2(Math.sin(v.angle), Math.cos(v.angle));
  ctx.fillText("heading " + (heading * toDegrees).toFixed(0) + "\u00b0",
               1.8 * u, 0.9 * u);
  // The body.
  ctx.strokeStyle = panelColours.sketch;
  ctx.lineWidth = Math.max(1, 0.06 * u);
  ctx.strokeRect(cx - 0.75 * u, cy - 2.1 * u, 1.5 * u, 4.2 * u);
  drawAxle(ctx, u, cy - 1.3 * u, v.steerangle, v.slipanglefront,
           gripShare(v["flatf.y"], v), panelColours.front);
  drawAxle(ctx, u, cy + 1.3 * u, 0, v.slipanglerear,
           gripShare(v["flatr.y"], v), panelColours.rear);
  // At the centre of gravity: the velocity (3 units at 50 m/s) and the
  // total force (3 units at both axles' limits), both car frame.
  ctx.lineWidth = Math.max(2, 0.12 * u);
  ctx.strokeStyle = ctx.fillStyle = panelColours.velocity;
  const speedScale = 3 * u / 50;
  arrow(ctx, cx, cy, -v["velocity.y"] * speedScale,
        -v["velocity.x"] * speedScale, 0.4 * u);
  ctx.strokeStyle = ctx.fillStyle = panelColours.force;
  const forceScale = 3 * u / (2 * v.MAX_GRIP * v.weight || 1);
  arrow(ctx, cx, cy, -v["force.y"] * forceScale, -v["force.x"] * forceScale,
        0.4 * u);
}

// The chart canvas, at one pixel a CSS pixel, cut into one band a
// chart: a line of title (the label, the range and, for more than one
// line, the lines' colours), the chart, and a thin rule. The titles are
// drawn here, once a size; the charts place theirs.
function layOutCharts(ctx, charts) {
  const { width, height } = ctx.canvas;
  const pitch = Math.floor(height / panelCharts.length);
  const title = 16;
  const rule = 1;
  ctx.fillStyle = chartBackground;
  ctx.fillRect(0, 0, width, height);
  ctx.textBaseline = "middle";
  panelCharts.forEach(([label, min, max, , lines], i) => {
    const top = i * pitch;
    const parts = [[label + " ", "#222", 12],
                   ["(" + min + " to " + max + ") ", "#666", 10]];
    if (lines.length > 1)
      for (const [name, colour] of lines)
        parts.push(["\u25a0 " + name + " ", colour, 12]);
    // Smaller type where the line would not fit the width.
    const font = (size) => size * fit + "px sans-serif";
    let fit = 1;
    const long = parts.reduce((sum, [text, , size]) => {
      ctx.font = font(size);
      return sum + ctx.measureText(text).width;
    }, 0);
    fit = Math.min(1, width / long);
    let x = 0;
    for (const [text, colour, size] of parts) {
      ctx.font = font(size);
      ctx.fillStyle = colour;
      ctx.fillText(text, x, top + title / 2);
      x += ctx.measureText(text).width;
    }
    ctx.fillStyle = "#eee";
    ctx.fillRect(0, top + pitch - rule, width, rule);
    charts[i].place(0, top + title, width, pitch - title - rule);
  });
}

const modelPanel = {
  panel: document.getElementById("model-panel"),
  toggle: document.getElementById("model-toggle"),
  car: document.getElementById("model-car"),
  chartCanvas: document.getElementById("model-charts"),
  charts: [],
  record: null, // the run's (drive_record.js)
  columns: null, // panelColumns' indices in it
  next: 0, // the next row to read
  newest: null, // the newest row's values
  timer: 0, // the drawing's, while open
  fresh: true, // the car is to be drawn again

  // The charts, made from panelCharts at the panel's first opening, so
  // that a start with the panel closed pays nothing for them (measuring
  // their titles' type alone costs a phone some 100 ms), all on one
  // canvas: each canvas is a layer that the browser puts together with
  // the page at each of its frames, in software where there is no GPU.
  build() {
    const view = panelCanvas(modelPanel.chartCanvas);
    for (const [, min, max, guides, lines] of panelCharts)
      modelPanel.charts.push(stripChart(view, {
        min, max, guides, colours: lines.map(([, c]) => c) }));
    modelPanel.chartCanvas.setAttribute("aria-label",
        "Strip charts of the last 1,000 steps, the newest at the right: " +
        panelCharts.map(([label, , , , lines]) => label +
            (lines.length > 1 ? " (" + lines.map(([name]) => name)
                                           .join(", ") + ")" : ""))
            .join("; "));
    for (const key of modelPanel.panel.querySelectorAll("[data-colour]"))
      key.style.color = panelColours[key.dataset.colour];
    new ResizeObserver(modelPanel.resized).observe(modelPanel.panel);
  },

  // The record of a new run (null while none): the charts start empty.
  attach(record) {
    modelPanel.record = record;
    modelPanel.columns = record &&
        panelColumns.map((name) => [name, record.column(name)]);
    modelPanel.next = record ? record.begin() : 0;
    modelPanel.newest = null;
    for (const chart of modelPanel.charts)
      chart.clear();
    modelPanel.fresh = true;
  },

  values(row) {
    const v = {};
    for (const [name, column] of modelPanel.columns)
      v[name] = modelPanel.record.value(row, column);
    return v;
  },

  // Reads the rows that have come since the last frame, at most the
  // charts' width of them. A poll still waiting for its step is read
  // once it has taken it.
  read() {
    const record = modelPanel.record;
    if (!record)
      return;
    const end = record.end();
    let row = Math.max(modelPanel.next, record.begin(), end - chartSteps);
    for (; row < end; ++row) {
      const v = modelPanel.values(row);
      if (v.stepped !== 1) {
        if (row === end - 1)
          break;
        continue;
      }
      modelPanel.charts.forEach((chart, i) =>
        chart.push(panelCharts[i][4].map(([, , value]) => value(v))));
      modelPanel.newest = v;
      modelPanel.fresh = true;
    }
    modelPanel.next = row;
  },

  // Run by a timer, not at every animation frame: an animation frame
  // asked for in the page makes the browser update the whole page at
  // each, which cost more than the drawing.
  draw() {
    modelPanel.read();
    if (modelPanel.fresh && modelPanel.newest)
      drawCar(panelCanvas(modelPanel.car), modelPanel.newest);
    modelPanel.fresh = false;
    for (const chart of modelPanel.charts)
      chart.draw();
  },

  // The car at the screen's pixels; the charts at one pixel a CSS pixel,
  // since what the browser does with a canvas that has changed (copy it,
  // hand it to the compositor, raster the page's tiles under it) goes
  // with the canvas's pixels, and the charts change at every drawing: at
  // two device pixels a CSS pixel, four times as many pixels halved a
  // phone's frames a second with the panel open (docs/performance.md).
  resized() {
    const ratio = devicePixelRatio || 1;
    const w = Math.round(modelPanel.car.clientWidth * ratio);
    const h = Math.round(modelPanel.car.clientHeight * ratio);
    if (modelPanel.car.width !== w || modelPanel.car.height !== h) {
      modelPanel.car.width = w;
      modelPanel.car.height = h;
      modelPanel.fresh = true;
    }
    const charts = modelPanel.chartCanvas;
    const [cw, ch] = [charts.clientWidth, charts.clientHeight];
    if (charts.width !== cw || charts.height !== ch) {
      charts.width = cw;
      charts.height = ch;
      layOutCharts(panelCanvas(charts), modelPanel.charts);
    }
  },

  show(open) {
    if (open && modelPanel.charts.length === 0)
      modelPanel.build();
    modelPanel.panel.hidden = !open;
    document.body.classList.toggle("model", open);
    modelPanel.toggle.setAttribute("aria-pressed", String(open));
    clearInterval(modelPanel.timer);
    if (open) {
      modelPanel.fresh = true;
      modelPanel.timer = setInterval(modelPanel.draw, panelPeriodMs);
    }
  },
};

modelPanel.toggle.addEventListener("click", () => {
  modelPanel.show(modelPanel.panel.hidden);
  if (heldKeys.target)
    heldKeys.target.focus(); // the keys go back to the program
});
