#include "tools/model_diagrams/svg_draw.h"

#include "vehicle/constants.h"

#include <cmath>
#include <cstdio>

namespace
{

std::string number(double v)
{
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", std::fabs(v) < 0.005 ? 0.0 : v);
  return buf;
}

std::string xy(point p)
{
  return number(p.x) + "," + number(p.y);
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
  d.body += "<line x1='" + number(a.x) + "' y1='" + number(a.y) + "' x2='" +
            number(b.x) + "' y2='" + number(b.y) + "' class='" + style +
            "'/>\n";
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
  d.body += "<polygon points='";
  for (const point &p : corners)
    d.body += xy(p) + " ";
  d.body += "' class='" + std::string(style) + "'/>\n";
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
  d.body += "<path d='M" + xy(a) + " A" + number(radius) + "," +
            number(radius) + " 0 " + std::to_string(large) + " " +
            std::to_string(sweep) + " " + xy(b) + "' class='" + style +
            "' style='fill:none'/>\n";
  if (with_head)
    head(d, b, to > from ? to + pi / 2 : to - pi / 2, style);
}

void text(drawing &d, point at, const std::string &words, const char *anchor,
          const char *style)
{
  d.body += "<text x='" + number(at.x) + "' y='" + number(at.y) +
            "' text-anchor='" + anchor + "'";
  if (*style)
    d.body += " class='" + std::string(style) + "'";
  d.body += ">" + words + "</text>\n";
}

std::string svg_document(const drawing &d, const std::string &title)
{
  const std::string w = number(d.width), h = number(d.height);
  return "<svg xmlns='http://www.w3.org/2000/svg' width='" + w + "' height='" +
         h + "' viewBox='0 0 " + w + " " + h +
         "' font-family='sans-serif' font-size='13'>\n"
         "<style>line,path{fill:none;stroke-width:1.5}"
         ".thin{stroke:#888}.faint{stroke:#bbb;stroke-dasharray:6 4}"
         ".axis{stroke:#222;fill:#222}.car{stroke:#1f77b4;fill:#1f77b4}"
         ".force{stroke:#d62728;fill:#d62728;stroke-width:2.5}"
         ".speed{stroke:#2ca02c;fill:#2ca02c}"
         ".body{fill:#eef2f8;stroke:#1f77b4}"
         ".wheel{fill:#333;stroke:#333}"
         ".note{fill:#555}.title{font-size:16px}</style>\n"
         "<rect width='100%' height='100%' fill='white'/>\n"
         "<text x='" +
         number(d.width / 2) + "' y='26' text-anchor='middle' class='title'>" +
         title + "</text>\n" + d.body + "</svg>\n";
}
