#include "tools/diagrams/svg_draw.h"

#include "vehicle/constants.h"

#include <cmath>

namespace
{

const svg_numbers numbers = {"%.2f", 0.005};

std::string number(double v)
{
  return svg_number(numbers, v);
}

// The arrow head's two back corners, 11 px behind the tip.
void head(drawing &d, point tip, double theta, const char *style)
{
  const double back = theta + pi;
  polygon(d, {tip, towards(tip, back + 0.4, 11), towards(tip, back - 0.4, 11)},
          style);
}

} // namespace

point towards(point p, double theta, double length)
{
  return point{p.x - length * std::sin(theta), p.y - length * std::cos(theta)};
}

void line(drawing &d, point a, point b, const char *style)
{
  d.body +=
      svg_line(numbers, a, b, "class='" + std::string(style) + "'") + "\n";
}

void arrow(drawing &d, point from, point to, const char *style)
{
  // Direction from -> to in the angle convention above.
  const double theta = std::atan2(-(to.x - from.x), -(to.y - from.y));
  // The shaft stops inside the head so that its end does not show.
  line(d, from, towards(to, theta + pi, 6), style);
  head(d, to, theta, style);
}

void polygon(drawing &d, const std::vector<point> &corners, const char *style)
{
  d.body += "<polygon points='" + svg_points(numbers, corners) + "' class='" +
            style + "'/>\n";
}

void box(drawing &d, point c, double theta, double length, double width,
         const char *style)
{
  const double side = theta + pi / 2;
  const point front = towards(c, theta, length / 2);
  const point back = towards(c, theta, -length / 2);
  polygon(d,
          {towards(front, side, width / 2), towards(front, side, -width / 2),
           towards(back, side, -width / 2), towards(back, side, width / 2)},
          style);
}

void arc(drawing &d, point c, double radius, double from, double to,
         bool with_head, const char *style)
{
  const point a = towards(c, from, radius), b = towards(c, to, radius);
  // Counterclockwise on the page is SVG's negative sweep.
  const int sweep = to > from ? 0 : 1;
  const int large = std::fabs(to - from) > pi ? 1 : 0;
  d.body += "<path d='M" + svg_xy(numbers, a) + " A" + number(radius) + "," +
            number(radius) + " 0 " + std::to_string(large) + " " +
            std::to_string(sweep) + " " + svg_xy(numbers, b) + "' class='" +
            style + "' style='fill:none'/>\n";
  if (with_head)
    head(d, b, to > from ? to + pi / 2 : to - pi / 2, style);
}

void text(drawing &d, point at, const std::string &words, const char *anchor,
          const char *style)
{
  std::string a = "text-anchor='" + std::string(anchor) + "'";
  if (*style)
    a += " class='" + std::string(style) + "'";
  d.body += svg_text(numbers, at, a, words) + "\n";
}

std::string svg_document(const drawing &d, const std::string &title)
{
  return svg_document(
      numbers, d.width, d.height, 13,
      "line,path{fill:none;stroke-width:1.5}"
      ".thin{stroke:#888}.faint{stroke:#bbb;stroke-dasharray:6 4}"
      ".axis{stroke:#222;fill:#222}.car{stroke:#1f77b4;fill:#1f77b4}"
      ".force{stroke:#d62728;fill:#d62728;stroke-width:2.5}"
      ".speed{stroke:#2ca02c;fill:#2ca02c}"
      ".body{fill:#eef2f8;stroke:#1f77b4}"
      ".wheel{fill:#333;stroke:#333}"
      ".note{fill:#555}.title{font-size:16px}",
      "<text x='" + number(d.width / 2) +
          "' y='26' text-anchor='middle' class='title'>" + title + "</text>\n" +
          d.body);
}
