#include "tools/diagrams/diagrams.h"

#include "tools/diagrams/svg_draw.h"
#include "vehicle/constants.h"

#include <cmath>

namespace
{

// Seen from above with world +y up the page, world +x lies to the page's
// left: the page vector of a world vector (wx, wy) is (-wx, -wy).
point world(point origin, double wx, double wy, double pixels)
{
  return point{origin.x - pixels * wx, origin.y - pixels * wy};
}

void notes(drawing &d, point at, const std::vector<std::string> &lines)
{
  for (std::size_t i = 0; i < lines.size(); ++i)
    text(d, point{at.x, at.y + 19.0 * i}, lines[i], "start", "note");
}

// Four wheels at the corners of a car body turned to heading theta.
void wheels(drawing &d, point c, double theta, double steer)
{
  for (double along : {44.0, -44.0})
    for (double side : {32.0, -32.0}) {
      const point w = towards(towards(c, theta, along), theta + pi / 2, side);
      box(d, w, theta + (along > 0 ? steer : 0.0), 22, 8, "wheel");
    }
}

} // namespace

std::string frames_svg()
{
  drawing d{800, 500, ""};
  // The road, 40 m wide, its left edge (world x = +20) on the page's left.
  const double road_left = 90, road_right = 430, road_centre = 260;
  line(d, point{road_left, 50}, point{road_left, 470}, "thin");
  line(d, point{road_right, 50}, point{road_right, 470}, "thin");
  line(d, point{road_centre, 50}, point{road_centre, 470}, "faint");
  text(d, point{road_left, 488}, "x = +20 m (left edge)");
  text(d, point{road_centre, 488}, "x = 0");
  text(d, point{road_right, 488}, "x = −20 m (right edge)");

  // The world axes from a corner of the picture.
  const point o{400, 430};
  arrow(d, o, world(o, 0, 1, 70), "axis");
  arrow(d, o, world(o, 1, 0, 70), "axis");
  text(d, point{o.x - 6, o.y - 60}, "world y: along the road", "end");
  text(d, point{o.x - 78, o.y + 20}, "world x: across, to the left", "end");

  // The car at heading a: forward (sin a, cos a), side (cos a, -sin a).
  const double a = 0.5;
  const point c{250, 250};
  box(d, c, a, 130, 56, "body");
  wheels(d, c, a, 0.0);
  const double sn = std::sin(a), cs = std::cos(a);
  line(d, c, world(c, 0, 1, 150), "faint");
  arrow(d, c, world(c, sn, cs, 140), "car");
  arrow(d, c, world(c, cs, -sn, 110), "car");
  arc(d, c, 105, 0.0, a, true, "axis");
  text(d, world(c, 0.22, 1, 115), "a", "middle", "title");
  text(d, world(c, sn - 0.1, cs, 150), "car x: forward, (sin a, cos a)",
       "start");
  text(d, world(c, cs + 0.05, -sn - 0.2, 110), "car y: to the car's left,",
       "end");
  text(d, world(c, cs + 0.05, -sn - 0.33, 110), "(cos a, −sin a)", "end");
  text(d, point{c.x + 62, c.y + 10}, "position_wc:", "start", "note");
  text(d, point{c.x + 62, c.y + 28}, "the centre of gravity", "start", "note");

  const std::vector<std::string> lines = {
      "Seen from above; the driver looks up the page.",
      "Units: m, s, kg, rad.",
      "",
      "a (angle) is the heading: 0 faces world +y,",
      "positive turns to the left (counterclockwise",
      "here). angular_velocity and steerangle have",
      "the same sign: positive is to the left.",
      "",
      "With sn = sin a, cs = cos a, one matrix maps",
      "both ways (a reflection, its own inverse):",
      "car (x, y) → world (sn x + cs y, cs x − sn y)",
      "world (x, y) → car (sn x + cs y, cs x − sn y)",
      "",
      "The car is held within x = ±18 m; y is moved",
      "by 500 m whenever it leaves 500..1500 m.",
  };
  notes(d, point{460, 80}, lines);
  return svg_document(d, "The world and car frames");
}

std::string forces_svg()
{
  drawing d{800, 600, ""};
  // The car frame with x (forward) to the page's right and y (to the
  // left) up: a car-frame angle phi is the page direction phi - pi / 2.
  // One metre is 150 px; the angles are drawn two to three times too big.
  const double right = -pi / 2;
  const point c{320, 310};
  const point front = towards(c, right, 150), rear = towards(c, right, -150);
  const double steer = 0.35, sideslip = -0.25, rot = 0.12;
  const double front_dir = sideslip + rot, rear_dir = sideslip - rot;
  box(d, c, right, 390, 110, "body");
  box(d, front, right + steer, 50, 16, "wheel");
  box(d, rear, right, 50, 16, "wheel");
  arrow(d, towards(c, right, -250), towards(c, right, 295), "thin");
  arrow(d, c, towards(c, 0, 175), "thin");
  text(d, towards(towards(c, right, 300), 0, -4), "car x", "start");
  text(d, towards(towards(c, 0, 170), right, 8), "car y", "start");

  // Velocities: at the cg, and at each axle with the yaw term added;
  // each slip angle runs from the wheel's heading to its velocity.
  line(d, front, towards(front, right + steer, 130), "faint");
  arrow(d, front, towards(front, right + front_dir, 120), "speed");
  arrow(d, rear, towards(rear, right + rear_dir, 110), "speed");
  arrow(d, c, towards(c, right + sideslip, 110), "speed");
  arc(d, front, 115, right, right + steer, true, "axis");
  text(d, towards(front, right + steer + 0.12, 118), "steerangle", "start");
  arc(d, front, 85, right + steer, right + front_dir, true, "axis");
  text(d, towards(front, right + front_dir - 0.2, 85), "slipanglefront",
       "start");
  arc(d, rear, 80, right, right + rear_dir, true, "axis");
  text(d, towards(rear, right + rear_dir - 0.5, 85), "slipanglerear", "middle");
  arc(d, c, 80, right, right + sideslip, true, "axis");
  text(d, towards(c, right + sideslip - 0.5, 85), "sideslip", "middle");

  // Forces: the lateral ones along car y at the axles, traction and
  // resistance through the cg.
  for (const point axle : {front, rear})
    arrow(d, axle, towards(axle, 0, 130), "force");
  text(d, towards(front, 0, 142), "flatf", "middle");
  text(d, towards(rear, 0, 142), "flatr", "middle");
  arrow(d, c, towards(c, right, 70), "force");
  text(d, towards(towards(c, right, 40), 0, 10), "ftraction", "start");
  arrow(d, c, towards(c, right + sideslip + pi, 55), "force");
  text(d, towards(towards(c, right + sideslip + pi, 50), 0, 12), "resistance",
       "end");
  arc(d, c, 215, -0.3, 0.3, true, "car");
  text(d, towards(towards(c, 0.3, 215), 0, 6), "angular_velocity", "end");
  text(d, point{c.x + 6, c.y - 8}, "cg", "start", "note");
  const double scale_y = c.y + 105;
  line(d, point{c.x, scale_y}, point{front.x, scale_y}, "thin");
  for (const double x : {c.x, front.x})
    line(d, point{x, scale_y - 5}, point{x, scale_y + 5}, "thin");
  text(d, point{(c.x + front.x) / 2, scale_y + 18}, "1 m", "middle", "note");

  const std::vector<std::string> left = {
      "yawspeed = 0.1 × wheelbase × angular_velocity",
      "rot_angle = atan2(yawspeed, velocity.x)",
      "sideslip = atan2(velocity.y, velocity.x)",
      "slipanglefront = rot_angle + sideslip − steerangle",
      "slipanglerear = sideslip − rot_angle",
      "torque = flatf.y × 1 m − flatr.y × 1 m",
  };
  const std::vector<std::string> right_notes = {
      "flatf, flatr: CA_F, CA_R × slip angle, held to",
      "±MAX_GRIP, times weight = " + svg_number({"%g", 0.0}, gravity) +
          " × mass / 2",
      "ftraction = 100 × (throttle − brake)",
      "resistance = −(RESISTANCE v + DRAG v |v|)",
      "on each car axis separately",
      "Green: velocities; red: forces. Angles are",
      "drawn two to three times too big.",
  };
  notes(d, point{30, 475}, left);
  notes(d, point{440, 475}, right_notes);
  return svg_document(d, "Slip angles and forces in the car frame");
}
