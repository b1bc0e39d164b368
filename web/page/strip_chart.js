// A strip chart of the last steps on a canvas, drawn a little at a time.
// The lines are drawn into a picture of the chart's size used as a
// ring: each new step takes the columns after the last one's, wrapping
// round at the right edge, so at each animation frame only the new
// steps' stretch is drawn, and the canvas shows the ring in two pieces,
// the newest step at its right edge. A full redraw (at most 1,000 points
// a line) comes only with a new size or a new run.
"use strict";

const chartSteps = 1000; // the steps a chart shows: 10 s of model time

// The panel's canvases are small and change often: kept in the CPU's
// memory (what willReadFrequently asks for), a change is not a GPU's
// work, which a browser without one (SwiftShader) does on the CPU too.
const panelCanvas = (canvas) =>
  canvas.getContext("2d", { willReadFrequently: true });

// canvas: the chart's; min and max: the values at its bottom and top
// edge (values beyond are drawn at the edge); guides: values marked by
// a thin line; colours: one a line. push() takes one value a line.
function stripChart(canvas, { min, max, guides, colours }) {
  const ring = document.createElement("canvas");
  const ctx = panelCanvas(ring);
  const kept = colours.map(() => new Float32Array(chartSteps));
  let total = 0; // steps pushed
  let drawn = 0; // steps drawn into the ring
  let stale = true; // the ring is to be drawn afresh

  const w = () => ring.width;
  // Step s's column in an endless picture, and its height.
  const at = (s) => s * w() / chartSteps;
  const y = (v) => {
    const clamped = Math.min(max, Math.max(min, v));
    return (max - clamped) / (max - min) * (ring.height - 2) + 1;
  };

  // Clears the endless picture's columns [from, to) and marks the guides.
  function clear(from, to) {
    for (let c = from; c < to;) {
      const x = c % w();
      const width = Math.min(to - c, w() - x);
      ctx.clearRect(x, 0, width, ring.height);
      ctx.fillStyle = "#bbb";
      for (const g of guides)
        ctx.fillRect(x, Math.round(y(g)) - 0.5, width, 1);
      c += width;
    }
  }

  // The lines from step `from` to the newest, drawn again one ring to
  // the left where they run past its right edge.
  function lines(from) {
    ctx.lineWidth = Math.max(1, ring.height / 24);
    ctx.lineJoin = "round";
    const origin = Math.floor(at(from) / w()) * w();
    const past = at(total - 1) - origin >= w() - 1;
    for (const shift of past ? [origin, origin + w()] : [origin]) {
      kept.forEach((values, line) => {
        ctx.strokeStyle = colours[line];
        ctx.beginPath();
        for (let s = from; s < total; ++s)
          ctx.lineTo(at(s) - shift, y(values[s % chartSteps]));
        ctx.stroke();
      });
    }
  }

  return {
    push(values) {
      kept.forEach((line, i) => { line[total % chartSteps] = values[i]; });
      ++total;
    },

    // Forgets every step (a new run).
    clear() {
      total = drawn = 0;
      stale = true;
    },

    // The canvas at this many pixels; a change redraws the chart.
    resize(width, height) {
      if (canvas.width === width && canvas.height === height)
        return;
      canvas.width = ring.width = width;
      canvas.height = ring.height = height;
      stale = true;
    },

    // Brings the picture up to the newest step.
    draw() {
      if ((!stale && drawn === total) || w() === 0)
        return;
      const newest = Math.floor(at(Math.max(total - 1, 0)));
      if (stale || total - drawn >= chartSteps) {
        clear(0, w());
        lines(Math.max(total - chartSteps, 0));
      } else {
        const last = Math.max(drawn - 1, 0); // joined to the new steps
        clear(Math.floor(at(last)) + 1, newest + 1);
        lines(last);
      }
      drawn = total;
      stale = false;
      // The ring's column after the newest step goes to the left edge.
      const cut = (newest + 1) % w();
      const view = panelCanvas(canvas);
      view.clearRect(0, 0, w(), ring.height);
      view.drawImage(ring, cut, 0, w() - cut, ring.height, 0, 0, w() - cut,
                     ring.height);
      if (cut > 0)
        view.drawImage(ring, 0, 0, cut, ring.height, w() - cut, 0, cut,
                       ring.height);
    },
  };
}
