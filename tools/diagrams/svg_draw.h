// Marks for hand-laid diagrams, on the tools' SVG writer.
//
// Directions are angles in radians measured from page up, positive
// counterclockwise (towards page left), so that a direction theta is
// the page vector (-sin theta, -cos theta).
#ifndef TOOLS_DIAGRAMS_SVG_DRAW_H
#define TOOLS_DIAGRAMS_SVG_DRAW_H

#include "tools/svg.h"

#include <string>
#include <vector>

struct drawing {
  double width;
  double height;
  std::string body; // the marks so far
};

// The point length away from p in direction theta.
point towards(point p, double theta, double length);

// style names one of the classes of svg_document: thin, axis, car, force,
// speed, wheel, faint.
void line(drawing &d, point a, point b, const char *style);
void arrow(drawing &d, point from, point to, const char *style);
void polygon(drawing &d, const std::vector<point> &corners, const char *style);
// A rectangle centred on c, turned to direction theta: length along it.
void box(drawing &d, point c, double theta, double length, double width,
         const char *style);
// An arc about c from direction from to direction to, with an arrow head
// at its end when head is set.
void arc(drawing &d, point c, double radius, double from, double to, bool head,
         const char *style);
// anchor is SVG's text-anchor: start, middle or end.
void text(drawing &d, point at, const std::string &words,
          const char *anchor = "middle", const char *style = "");

// The whole document, with a title above the drawing.
std::string svg_document(const drawing &d, const std::string &title);

#endif
