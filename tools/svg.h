// The one SVG writer of the tools, for the handling report's charts and
// the model's diagrams: elements written directly as text, so that no
// drawing program is needed and the same figures give the same bytes on
// every machine.
#ifndef TOOLS_SVG_H
#define TOOLS_SVG_H

#include <string>
#include <vector>

// Page coordinates are SVG's: x to the right, y down, in pixels.
struct point {
  double x;
  double y;
};

// How a picture writes its numbers: a printf format for one double, and
// the size below which a number is written as 0, so that rounding noise
// shows neither as -0.00 nor as 1e-17.
struct svg_numbers {
  const char *format;
  double zero;
};

std::string svg_number(svg_numbers n, double v);

// "x,y", and "x,y x,y ... " as polylines and polygons list their corners.
std::string svg_xy(svg_numbers n, point p);
std::string svg_points(svg_numbers n, const std::vector<point> &points);

// A line from a to b, and words placed at a point; attributes (name='v',
// space-separated) follow the position.
std::string svg_line(svg_numbers n, point a, point b,
                     const std::string &attributes);
std::string svg_text(svg_numbers n, point at, const std::string &attributes,
                     const std::string &words);

// A whole document of width by height pixels on white, with its style
// sheet, around the body's elements.
std::string svg_document(svg_numbers n, double width, double height,
                         int font_size, const std::string &style,
                         const std::string &body);

#endif
