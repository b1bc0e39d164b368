#include "tools/handling/svg_chart.h"

#include "tools/svg.h"

#include <algorithm>
#include <cmath>

namespace
{

const double width = 720, height = 440;
const double left = 80, right = 20, top = 50, bottom = 60;

struct range {
  double lo, hi;
};

const svg_numbers numbers = {"%.6g", 1e-12};
const std::string dashes = " stroke-dasharray='8 5'";

std::string number(double v)
{
  return svg_number(numbers, v);
}

// A round step (1, 2 or 5 times a power of ten) giving about 6 ticks.
double tick_step(range r)
{
  const double raw = (r.hi - r.lo) / 6.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (raw <= m * power)
      return m * power;
  return 10.0 * power;
}

// Widens a range to whole ticks; a flat range gets some room.
range rounded(range r)
{
  if (r.hi - r.lo < 1e-9) {
    r.lo -= 1.0;
    r.hi += 1.0;
  }
  const double step = tick_step(r);
  return range{std::floor(r.lo / step) * step, std::ceil(r.hi / step) * step};
}

// Grows the shorter range so that both have the same scale.
void equalise(range &x, range &y)
{
  const double plot_w = width - left - right, plot_h = height - top - bottom;
  const double scale = std::max((x.hi - x.lo) / plot_w, (y.hi - y.lo) / plot_h);
  const double cx = (x.lo + x.hi) / 2, cy = (y.lo + y.hi) / 2;
  x = range{cx - scale * plot_w / 2, cx + scale * plot_w / 2};
  y = range{cy - scale * plot_h / 2, cy + scale * plot_h / 2};
}

struct mapping {
  range x, y;
  double px(double v) const
  {
    return left + (v - x.lo) / (x.hi - x.lo) * (width - left - right);
  }
  double py(double v) const
  {
    return height - bottom -
           (v - y.lo) / (y.hi - y.lo) * (height - top - bottom);
  }
};

// A grid line with its figure v, for either axis.
std::string tick(point from, point to, point label, const char *anchor,
                 double v)
{
  return svg_line(numbers, from, to, "class='grid'") +
         svg_text(numbers, label, "text-anchor='" + std::string(anchor) + "'",
                  number(v)) +
         "\n";
}

std::string axes(const chart &c, const mapping &m)
{
  std::string s;
  const double x_step = tick_step(m.x), y_step = tick_step(m.y);
  for (double v = std::ceil(m.x.lo / x_step) * x_step; v <= m.x.hi + 1e-9;
       v += x_step)
    s += tick({m.px(v), top}, {m.px(v), height - bottom},
              {m.px(v), height - bottom + 18}, "middle", v);
  for (double v = std::ceil(m.y.lo / y_step) * y_step; v <= m.y.hi + 1e-9;
       v += y_step)
    s += tick({left, m.py(v)}, {width - right, m.py(v)},
              {left - 8, m.py(v) + 4}, "end", v);
  s += "<rect x='" + number(left) + "' y='" + number(top) + "' width='" +
       number(width - left - right) + "' height='" +
       number(height - top - bottom) + "' class='frame'/>\n";
  s += svg_text(numbers, {(left + width - right) / 2, height - 15},
                "text-anchor='middle'", c.x_label) +
       "\n";
  s += "<text transform='translate(20 " + number((top + height - bottom) / 2) +
       ") rotate(-90)' text-anchor='middle'>" + c.y_label + "</text>\n";
  return s +
         svg_text(numbers, {width / 2, 28},
                  "text-anchor='middle' class='title'", c.title) +
         "\n";
}

std::string dot(point at, const std::string &colour)
{
  return "<circle cx='" + number(at.x) + "' cy='" + number(at.y) +
         "' r='4' fill='" + colour + "'/>";
}

// One series' marks; an SVG dash pattern for dashed lines.
std::string marks(const chart_series &line, const mapping &m)
{
  std::vector<point> points;
  for (const auto &p : line.points)
    points.push_back({m.px(p.first), m.py(p.second)});
  if (line.style != series_style::dots)
    return "<polyline class='line' stroke='" + line.colour + "'" +
           (line.style == series_style::dashed ? dashes : "") + " points='" +
           svg_points(numbers, points) + "'/>\n";
  std::string s;
  for (const point &p : points)
    s += dot(p, line.colour) + "\n";
  return s;
}

std::string legend_entry(const chart_series &line, point at)
{
  const std::string mark =
      line.style == series_style::dots
          ? dot({at.x + 12, at.y - 4}, line.colour)
          : svg_line(numbers, {at.x, at.y - 4}, {at.x + 25, at.y - 4},
                     "stroke='" + line.colour + "' stroke-width='3'" +
                         (line.style == series_style::dashed ? dashes : ""));
  return mark + svg_text(numbers, {at.x + 32, at.y}, "", line.name) + "\n";
}

std::string lines(const chart &c, const mapping &m)
{
  std::string s;
  const double legend_x = c.legend_left ? left + 15 : width - right - 170;
  double legend_y = top + 20;
  for (const chart_series &line : c.series) {
    s += marks(line, m) + legend_entry(line, {legend_x, legend_y});
    legend_y += 18;
  }
  return s;
}

} // namespace

std::string chart_svg(const chart &c)
{
  range x{1e300, -1e300}, y{1e300, -1e300};
  for (const chart_series &line : c.series)
    for (const auto &p : line.points) {
      x = range{std::min(x.lo, p.first), std::max(x.hi, p.first)};
      y = range{std::min(y.lo, p.second), std::max(y.hi, p.second)};
    }
  x = rounded(x);
  y = rounded(y);
  if (c.equal_scales)
    equalise(x, y);
  const mapping m{x, y};
  return svg_document(numbers, width, height, 12,
                      ".grid{stroke:#ddd}.frame{fill:none;stroke:#444}"
                      ".line{fill:none;stroke-width:2}.title{font-size:15px}",
                      axes(c, m) + lines(c, m));
}
