#include "tools/handling_report/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

const double width = 720, height = 440;
const double left = 80, right = 20, top = 50, bottom = 60;

struct range {
  double lo, hi;
};

std::string number(double v)
{
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", std::fabs(v) < 1e-12 ? 0.0 : v);
  return buf;
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

std::string axes(const chart &c, const mapping &m)
{
  std::string s;
  const double x_step = tick_step(m.x), y_step = tick_step(m.y);
  for (double v = std::ceil(m.x.lo / x_step) * x_step; v <= m.x.hi + 1e-9;
       v += x_step)
    s += "<line x1='" + number(m.px(v)) + "' y1='" + number(top) + "' x2='" +
         number(m.px(v)) + "' y2='" + number(height - bottom) +
         "' class='grid'/><text x='" + number(m.px(v)) + "' y='" +
         number(height - bottom + 18) + "' text-anchor='middle'>" + number(v) +
         "</text>\n";
  for (double v = std::ceil(m.y.lo / y_step) * y_step; v <= m.y.hi + 1e-9;
       v += y_step)
    s += "<line x1='" + number(left) + "' y1='" + number(m.py(v)) + "' x2='" +
         number(width - right) + "' y2='" + number(m.py(v)) +
         "' class='grid'/><text x='" + number(left - 8) + "' y='" +
         number(m.py(v) + 4) + "' text-anchor='end'>" + number(v) + "</text>\n";
  s += "<rect x='" + number(left) + "' y='" + number(top) + "' width='" +
       number(width - left - right) + "' height='" +
       number(height - top - bottom) + "' class='frame'/>\n";
  s += "<text x='" + number((left + width - right) / 2) + "' y='" +
       number(height - 15) + "' text-anchor='middle'>" + c.x_label +
       "</text>\n";
  s += "<text transform='translate(20 " + number((top + height - bottom) / 2) +
       ") rotate(-90)' text-anchor='middle'>" + c.y_label + "</text>\n";
  s += "<text x='" + number(width / 2) +
       "' y='28' text-anchor='middle' class='title'>" + c.title + "</text>\n";
  return s;
}

// One series' marks; an SVG dash pattern for dashed lines.
std::string marks(const chart_series &line, const mapping &m)
{
  std::string s;
  if (line.style == series_style::dots) {
    for (const auto &p : line.points)
      s += "<circle cx='" + number(m.px(p.first)) + "' cy='" +
           number(m.py(p.second)) + "' r='4' fill='" + line.colour + "'/>\n";
    return s;
  }
  s += "<polyline class='line' stroke='" + line.colour + "'";
  if (line.style == series_style::dashed)
    s += " stroke-dasharray='8 5'";
  s += " points='";
  for (const auto &p : line.points)
    s += number(m.px(p.first)) + "," + number(m.py(p.second)) + " ";
  return s + "'/>\n";
}

std::string legend_entry(const chart_series &line, double x, double y)
{
  std::string s;
  if (line.style == series_style::dots)
    s = "<circle cx='" + number(x + 12) + "' cy='" + number(y - 4) +
        "' r='4' fill='" + line.colour + "'/>";
  else
    s = "<line x1='" + number(x) + "' y1='" + number(y - 4) + "' x2='" +
        number(x + 25) + "' y2='" + number(y - 4) + "' stroke='" + line.colour +
        "' stroke-width='3'" +
        (line.style == series_style::dashed ? " stroke-dasharray='8 5'" : "") +
        "/>";
  return s + "<text x='" + number(x + 32) + "' y='" + number(y) + "'>" +
         line.name + "</text>\n";
}

std::string lines(const chart &c, const mapping &m)
{
  std::string s;
  const double legend_x = c.legend_left ? left + 15 : width - right - 170;
  double legend_y = top + 20;
  for (const chart_series &line : c.series) {
    s += marks(line, m) + legend_entry(line, legend_x, legend_y);
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
  return "<svg xmlns='http://www.w3.org/2000/svg' width='" + number(width) +
         "' height='" + number(height) + "' viewBox='0 0 " + number(width) +
         " " + number(height) +
         "' font-family='sans-serif' font-size='12'>\n"
         "<style>.grid{stroke:#ddd}.frame{fill:none;stroke:#444}"
         ".line{fill:none;stroke-width:2}.title{font-size:15px}</style>\n"
         "<rect width='100%' height='100%' fill='white'/>\n" +
         axes(c, m) + lines(c, m) + "</svg>\n";
}
