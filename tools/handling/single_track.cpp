#include "tools/handling/single_track.h"

#include "vehicle/constants.h"

namespace
{

// vehicle/physics.cpp swings the axles at 0.1 * wheelbase * yaw rate in
// the slip angles, where the textbook has the cg's distance to each axle.
const double yaw_lever_per_wheelbase = 0.1;

} // namespace

single_track single_track_of(const car_type &t)
{
  single_track s{};
  // The model puts half the weight on each axle, whatever the cg.
  s.front_load = gravity * t.mass * 0.5;
  s.rear_load = s.front_load;
  // CA_F and CA_R are per unit load and negative (the force opposes the
  // slip); the textbook's stiffnesses are positive.
  s.front_stiffness = -static_cast<double>(CA_F) * s.front_load;
  s.rear_stiffness = -static_cast<double>(CA_R) * s.rear_load;
  s.understeer =
      (s.front_load / s.front_stiffness - s.rear_load / s.rear_stiffness) /
      gravity;
  s.wheelbase = t.wheelbase;
  // With cg-to-axle distances a = b, the steady turn needs 2 * lever / V
  // of steering per unit yaw rate where the textbook needs L / V.
  s.yaw_length = 2.0 * yaw_lever_per_wheelbase * t.wheelbase;
  return s;
}

double yaw_gain(double speed, double length, double understeer)
{
  return speed / (length + understeer * speed * speed);
}
