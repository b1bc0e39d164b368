// The diagrams' angle convention: the signs of docs/model.md's pictures
// rest on it, and a diagram drawn with a wrong sign would still match
// its committed copy.
#include "tools/diagrams/svg_draw.h"
#include "vehicle/constants.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// From page up, counterclockwise: a car at heading a seen from above,
// world +y up the page, turns towards the page's left as a grows.
TEST(SvgDraw, DirectionsTurnCounterclockwiseFromPageUp)
{
  struct direction_case {
    double theta;
    double x, y; // where 10 px from (100, 100) lands
  };
  const direction_case cases[] = {
      {0, 100, 90}, {pi / 2, 90, 100}, {-pi / 2, 110, 100}, {pi, 100, 110}};
  for (const direction_case &c : cases) {
    const point p = towards(point{100, 100}, c.theta, 10);
    EXPECT_NEAR(p.x, c.x, 1e-9) << c.theta;
    EXPECT_NEAR(p.y, c.y, 1e-9) << c.theta;
  }
}

// An arc from one direction to a larger one runs counterclockwise on the
// page, which is SVG's sweep flag 0, and its head sits at its end.
TEST(SvgDraw, ArcsRunFromTheirFirstDirectionToTheirSecond)
{
  struct arc_case {
    double from, to;
    const char *path; // start, radii, flags, end
  };
  const arc_case cases[] = {
      {0, pi / 2, "M100.00,80.00 A20.00,20.00 0 0 0 80.00,100.00"},
      {0, -pi / 2, "M100.00,80.00 A20.00,20.00 0 0 1 120.00,100.00"},
      {-pi / 2, 3 * pi / 4, "A20.00,20.00 0 1 0 85.86,114.14"},
  };
  for (const arc_case &c : cases) {
    drawing d{200, 200, ""};
    arc(d, point{100, 100}, 20, c.from, c.to, true, "axis");
    EXPECT_NE(d.body.find(c.path), std::string::npos) << d.body;
    const std::string end =
        std::string(c.path).substr(std::string(c.path).rfind(' ') + 1);
    EXPECT_NE(d.body.find("<polygon points='" + end), std::string::npos)
        << "the head is at the arc's end: " << d.body;
  }
}

} // namespace
