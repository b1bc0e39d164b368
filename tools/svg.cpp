#include "tools/svg.h"

#include <cmath>
#include <cstdio>

std::string svg_number(svg_numbers n, double v)
{
  char buf[32];
  std::snprintf(buf, sizeof buf, n.format, std::fabs(v) < n.zero ? 0.0 : v);
  return buf;
}

std::string svg_xy(svg_numbers n, point p)
{
  return svg_number(n, p.x) + "," + svg_number(n, p.y);
}

std::string svg_points(svg_numbers n, const std::vector<point> &points)
{
  std::string s;
  for (const point &p : points)
    s += svg_xy(n, p) + " ";
  return s;
}

// " name='v'" in the picture's numbers.
static std::string number(svg_numbers n, const char *name, double v)
{
  return std::string(" ") + name + "='" + svg_number(n, v) + "'";
}

static std::string more(const std::string &attributes)
{
  return attributes.empty() ? "" : " " + attributes;
}

std::string svg_line(svg_numbers n, point a, point b,
                     const std::string &attributes)
{
  return "<line" + number(n, "x1", a.x) + number(n, "y1", a.y) +
         number(n, "x2", b.x) + number(n, "y2", b.y) + more(attributes) + "/>";
}

std::string svg_text(svg_numbers n, point at, const std::string &attributes,
                     const std::string &words)
{
  return "<text" + number(n, "x", at.x) + number(n, "y", at.y) +
         more(attributes) + ">" + words + "</text>";
}

std::string svg_document(svg_numbers n, double width, double height,
                         int font_size, const std::string &style,
                         const std::string &body)
{
  const std::string w = svg_number(n, width), h = svg_number(n, height);
  return "<svg xmlns='http://www.w3.org/2000/svg' width='" + w + "' height='" +
         h + "' viewBox='0 0 " + w + " " + h +
         "' font-family='sans-serif' font-size='" + std::to_string(font_size) +
         "'>\n<style>" + style +
         "</style>\n<rect width='100%' height='100%' fill='white'/>\n" + body +
         "</svg>\n";
}
