"""Marks for hand-laid diagrams on a page of pixels, y growing down, drawn
by matplotlib.

Directions are angles in radians measured from page up, positive
counterclockwise (towards page left): a direction theta is the page
vector (-sin theta, -cos theta)."""
import math

from matplotlib.patches import Polygon

from svg_figures import plt

# What each style draws with: colour, line width, dashes, fill.
STYLES = {
    "thin": ("#888888", 1.5, "-", None),
    "faint": ("#bbbbbb", 1.5, (0, (6, 4)), None),
    "axis": ("#222222", 1.5, "-", None),
    "car": ("#1f77b4", 1.5, "-", None),
    "force": ("#d62728", 2.5, "-", None),
    "speed": ("#2ca02c", 1.5, "-", None),
    "body": ("#1f77b4", 1.5, "-", "#eef2f8"),
    "wheel": ("#333333", 1.5, "-", "#333333"),
}


def towards(p, theta, length):
    """The point length away from p in direction theta."""
    return (p[0] - length * math.sin(theta), p[1] - length * math.cos(theta))


class Page:
    def __init__(self, width, height, title):
        self.fig = plt.figure(figsize=(width / 100, height / 100))
        self.ax = self.fig.add_axes((0, 0, 1, 1))
        self.ax.set_xlim(0, width)
        self.ax.set_ylim(height, 0)
        self.ax.set_aspect("equal")
        self.ax.axis("off")
        self.text((width / 2, 26), title, size=16)

    def line(self, a, b, style):
        colour, width, dashes, _ = STYLES[style]
        self.ax.plot([a[0], b[0]], [a[1], b[1]], color=colour, lw=width,
                     linestyle=dashes)

    def head(self, tip, back, style):
        """An arrow head at tip, pointing away from direction back."""
        self.polygon([tip, towards(tip, back + 0.4, 11),
                      towards(tip, back - 0.4, 11)], style, fill=True)

    def arrow(self, start, end, style):
        theta = math.atan2(start[0] - end[0], start[1] - end[1])
        self.line(start, towards(end, theta + math.pi, 6), style)
        self.head(end, theta + math.pi, style)

    def polygon(self, corners, style, fill=False):
        colour, width, _, face = STYLES[style]
        self.ax.add_patch(Polygon(corners, closed=True, edgecolor=colour,
                                  facecolor=face or (colour if fill else
                                                     "none"), lw=width))

    def box(self, c, theta, length, width, style):
        """A rectangle centred on c, turned to direction theta."""
        side = theta + math.pi / 2
        front, back = towards(c, theta, length / 2), towards(c, theta,
                                                             -length / 2)
        self.polygon([towards(front, side, width / 2),
                      towards(front, side, -width / 2),
                      towards(back, side, -width / 2),
                      towards(back, side, width / 2)], style)

    def arc(self, c, radius, start, end, style, head=True):
        """An arc about c from direction start to end, with an arrow head at
        its end."""
        colour, width, dashes, _ = STYLES[style]
        steps = [start + (end - start) * i / 40 for i in range(41)]
        points = [towards(c, a, radius) for a in steps]
        self.ax.plot([p[0] for p in points], [p[1] for p in points],
                     color=colour, lw=width, linestyle=dashes)
        if head:
            self.head(points[-1], end + (-math.pi / 2 if end > start
                                         else math.pi / 2), style)

    def text(self, at, words, anchor="middle", size=13, colour="#000000"):
        align = {"start": "left", "middle": "center", "end": "right"}[anchor]
        self.ax.text(at[0], at[1], words, ha=align, va="baseline",
                     fontsize=size * 0.75, color=colour)

    def notes(self, at, lines):
        for i, words in enumerate(lines):
            self.text((at[0], at[1] + 19 * i), words, "start",
                      colour="#555555")

    def save(self, path):
        self.fig.savefig(path, format="svg", metadata={"Date": None})
        plt.close(self.fig)
