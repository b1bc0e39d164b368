// A strip chart of the last steps, in a band of a canvas that it may
// share with other charts, drawn a little at a time. The lines are
// drawn into a picture of the band's size used as a ring: each new step
// takes the columns after the last one's, wrapping round at the right
// edge, so at each drawing only the new steps' stretch is drawn, and
// the band shows the ring in two pieces, the newest step at its right
// edge. A full redraw (at most 1,000 points a line) comes only with a
// new size or a new run.
"use strict";

const chartSteps = 1000; // the steps a chart shows: 10 s of model time
const chartBackground = "#fff";

// The panel's canvases are small and change often: kept in the CPU's
// memory (what willReadFrequently asks for), a change is not a GPU's
// work, which a browser without one (SwiftShader) does on the CPU too.
// Opaque, so that the browser need not blend them with the page under
// them at each of its frames: what they clear they paint white.
const panelCanvas = (canvas) =>
  canvas.getContext("2d", { alpha: false, willReadFrequently: true });

// view: the 2D context of the canvas shown; min and max: the values at
// the band's bottom and top edge (values beyond are drawn at the edge);
// guides: values marked by a thin line; colours: one a line. push()
// takes one value a line; place() says where the band is.
function stripChart(view, { min, max, guides, colours }) {
  const ring = document.createElement("canvas");
  const ctx = panelCanvas(ring);
  const kept = colours.map(() => new Float32Array(chartSteps));
  const band = { x: 0, y: 0 }; // the band's top left corner in the view
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
      ctx.fillStyle = chartBackground;
      ctx.fillRect(x, 0, width, ring.height);
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
    // Where the band is in the view, in its pixels.
    get band() {
      return { x: band.x, y: band.y, width: ring.width, height: ring.height };
    },

    push(values) {
      kept.forEach((line, i) => { line[total % chartSteps] = values[i]; });
      ++total;
    },

    // Forgets every step (a new run).
    clear() {
      total = drawn = 0;
      stale = true;
    },

    // The band at (x, y) of the view, width x height pixels (the view
    // was cleared, or resized): the chart is drawn afresh.
    place(x, y, width, height) {
      band.x = x;
      band.y = y;
      ring.width = width;
      ring.height = height;
      stale = true;
    },

    // Brings the band up to the newest step.
    draw() {
      if ((!stale && drawn === total) || w() === 0 || ring.height === 0)
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
      // The ring's column after the newest step goes to the band's left
      // edge; both pieces are opaque, so nothing need be cleared first.
      const cut = (newest + 1) % w();
      const h = ring.height;
      view.drawImage(ring, cut, 0, w() - cut, h, band.x, band.y, w() - cut, h);
      if (cut > 0)
        view.drawImage(ring, 0, 0, cut, h, band.x + w() - cut, band.y, cut, h);
    },
  };
}
