// The step's parts as read-only fields of the car, each the one of the
// car's own last step (record/step_parts.h), with its unit.
#include "python/bindings.h"

namespace py = pybind11;

namespace
{

struct vector_part {
  const char *name;
  vec2 step_parts::*member;
  const char *doc;
};

struct number_part {
  const char *name;
  double step_parts::*member;
  const char *doc;
};

const vector_part vector_parts[] = {
    {"velocity", &step_parts::velocity,
     "(x, y), m/s, car frame (x forward, y to the left), as the step began"},
    {"flatf", &step_parts::flatf,
     "(x, y), N, front lateral force, car frame, after the grip limit "
     "MAX_GRIP * weight; x is always 0. The total force takes it scaled by "
     "cos(steerangle), the torque unscaled"},
    {"flatr", &step_parts::flatr,
     "(x, y), N, rear lateral force, car frame, after the grip limit; x is "
     "always 0"},
    {"ftraction", &step_parts::ftraction,
     "(x, y), N, throttle less brake along the car's x axis; y is always 0"},
    {"resistance", &step_parts::resistance,
     "(x, y), N, rolling resistance plus air drag, car frame"},
    {"force", &step_parts::force, "(x, y), N, total force, car frame"},
    {"acceleration", &step_parts::acceleration, "(x, y), m/s^2, car frame"},
};

const number_part number_parts[] = {
    {"slipanglefront", &step_parts::slipanglefront,
     "rad, front axle's slip angle"},
    {"slipanglerear", &step_parts::slipanglerear,
     "rad, rear axle's slip angle"},
    {"weight", &step_parts::weight,
     "N, load on each axle; each lateral force is at most MAX_GRIP * weight"},
    {"torque", &step_parts::torque, "N m, yaw torque about the cg"},
    {"angular_acceleration", &step_parts::angular_acceleration,
     "rad/s^2, yaw acceleration"},
};

} // namespace

void add_part_fields(py::class_<model_car> &car)
{
  for (const vector_part &p : vector_parts)
    car.def_property_readonly(
        p.name,
        [m = p.member](const model_car &c) {
          return py::make_tuple((c.parts.*m).x, (c.parts.*m).y);
        },
        p.doc);
  for (const number_part &p : number_parts)
    car.def_property_readonly(
        p.name, [m = p.member](const model_car &c) { return c.parts.*m; },
        p.doc);
}
