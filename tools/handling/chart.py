"""Line charts as SVG, drawn by matplotlib, and the fingerprint of the data
each is drawn from. matplotlib draws the same data a little differently
from one version to the next, so a chart is known current by its data:
the fingerprint goes into the file's metadata, where a test reads it."""
import hashlib
import re
from dataclasses import dataclass, field

from svg_figures import plt


@dataclass
class Series:
    name: str
    colour: str  # any matplotlib colour
    points: list  # (x, y) pairs
    style: str = "line"  # "line", "dashed", or "dots" (for measurements)


@dataclass
class Chart:
    title: str
    x_label: str  # with its unit, e.g. "time (s)"
    y_label: str
    series: list = field(default_factory=list)
    equal_scales: bool = False  # one metre as long across as up
    legend_left: bool = False  # legend in the top left corner, not right


def fingerprint(chart):
    """A digest of everything the chart shows: its texts, and each point to
    six significant digits (what a chart can show, and the same on every
    machine)."""
    text = [chart.title, chart.x_label, chart.y_label,
            str(chart.equal_scales), str(chart.legend_left)]
    for s in chart.series:
        text += [s.name, s.colour, s.style]
        text += ["%.6g %.6g" % p for p in s.points]
    return hashlib.sha256("\n".join(text).encode("utf-8")).hexdigest()


def fingerprint_in_svg(path):
    """The fingerprint that draw_svg wrote into the file, or None."""
    found = re.search(r"<dc:description>([0-9a-f]{64})</dc:description>",
                      path.read_text(encoding="utf-8"))
    return found.group(1) if found else None


STYLES = {"line": {"linestyle": "-", "linewidth": 2},
          "dashed": {"linestyle": "--", "linewidth": 1.5},
          "dots": {"linestyle": "none", "marker": "o", "markersize": 5}}


def draw_svg(chart, path):
    fig, ax = plt.subplots(figsize=(7.2, 4.4))
    for s in chart.series:
        xs = [p[0] for p in s.points]
        ys = [p[1] for p in s.points]
        ax.plot(xs, ys, color=s.colour, label=s.name, **STYLES[s.style])
    ax.set_title(chart.title)
    ax.set_xlabel(chart.x_label)
    ax.set_ylabel(chart.y_label)
    ax.grid(True, color="#dddddd")
    if chart.equal_scales:
        ax.set_aspect("equal", adjustable="datalim")
    ax.legend(loc="upper left" if chart.legend_left else "upper right",
              fontsize="small")
    fig.tight_layout()
    fig.savefig(path, format="svg",
                metadata={"Date": None, "Description": fingerprint(chart)})
    plt.close(fig)
