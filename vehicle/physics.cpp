#include "vehicle/physics.h"

#include "vehicle/constants.h"

#include <cmath>

// Every quantity is computed in double precision and rounded once, to the
// width of the variable that holds it; later phases read the rounded
// value. Built with -ffp-contract=off so no fused multiply-add changes
// the last digits.

double sn;
double cs;
vec2 velocity;
double yawspeed;
double rot_angle;
double sideslip;
double slipanglefront;
double slipanglerear;
double weight;
vec2 flatf;
vec2 flatr;
vec2 ftraction;
vec2 resistance;
vec2 force;
double torque;
vec2 acceleration;
double angular_acceleration;
vec2 acceleration_wc;

// Rotates the world velocity into the car frame.
static void car_frame_velocity(const car_state *car)
{
  // Double-precision sin and cos: std::sin(float) would round to float.
  const double angle = car->angle;
  sn = std::sin(angle);
  cs = std::cos(angle);
  const double vx = car->velocity_wc.x;
  const double vy = car->velocity_wc.y;
  velocity.x = static_cast<float>(sn * vx + cs * vy);
  velocity.y = static_cast<float>(cs * vx - sn * vy);
}

// Slip angles of both axles from the yaw rate, the side slip and the
// steering. Both arctangents are skipped at a forward speed of exactly 0.
static void slip_angles(const car_state *car)
{
  const car_type *type = car->type;
  // The axles swing about the centre of gravity at (wheelbase / 2) * yaw
  // rate; this model feeds only a fifth of that into the slip angles, so
  // yaw barely checks itself and the car spins readily at full lock.
  yawspeed = 0.1 * type->wheelbase * car->angular_velocity;
  const double forward = velocity.x;
  const double lateral = velocity.y;
  rot_angle = velocity.x != 0.0f ? std::atan2(yawspeed, forward) : 0.0;
  sideslip = velocity.x != 0.0f ? std::atan2(lateral, forward) : 0.0;
  slipanglefront = rot_angle + sideslip - car->steerangle;
  slipanglerear = sideslip - rot_angle;
}

// Lateral force of one axle: stiffness times slip, limited to +-MAX_GRIP
// per unit of axle load before it is scaled by the load.
static vec2 lateral_force(float stiffness, double slip)
{
  float per_load = static_cast<float>(stiffness * slip);
  if (per_load > MAX_GRIP)
    per_load = MAX_GRIP;
  if (per_load < -MAX_GRIP)
    per_load = -MAX_GRIP;
  return vec2{0.0f, static_cast<float>(per_load * weight)};
}

// Opposing force along one car axis: rolling resistance plus drag.
static float axis_resistance(float v)
{
  const double rolling = static_cast<double>(RESISTANCE) * v;
  const double drag = static_cast<double>(DRAG) * v * std::fabs(v);
  return static_cast<float>(-(rolling + drag));
}

// Tyre, traction and resistance forces in the car frame.
static void tyre_forces(const car_state *car)
{
  weight = gravity * car->type->mass * 0.5;
  flatf = lateral_force(CA_F, slipanglefront);
  flatr = lateral_force(CA_R, slipanglerear);

  // The brake pushes against the forward speed; at exactly 0 it pushes
  // backwards, so a braked car at rest jitters about zero speed.
  const double throttle = car->throttle;
  const double brake = car->brake;
  const double drive = velocity.x >= 0.0f ? throttle - brake : throttle + brake;
  ftraction = vec2{static_cast<float>(100.0f * drive), 0.0f};

  resistance.x = axis_resistance(velocity.x);
  resistance.y = axis_resistance(velocity.y);
}

// Total force (car frame) and yaw torque. The front force is scaled by
// cos(steer) in the force but enters the torque unscaled.
static void total_force_and_torque(const car_state *car)
{
  const double steer = car->steerangle;
  force.x = static_cast<float>(std::sin(steer) * flatf.x + ftraction.x +
                               flatr.x + resistance.x);
  force.y = static_cast<float>(std::cos(steer) * flatf.y + ftraction.y +
                               flatr.y + resistance.y);
  const car_type *type = car->type;
  torque = static_cast<double>(flatf.y) * type->cg_to_front_axle -
           static_cast<double>(flatr.y) * type->cg_to_rear_axle;
}

// Accelerations, car frame and then world frame with the heading from
// the start of the step.
static void accelerations(const car_state *car)
{
  const car_type *type = car->type;
  acceleration.x =
      static_cast<float>(static_cast<double>(force.x) / type->mass);
  acceleration.y =
      static_cast<float>(static_cast<double>(force.y) / type->mass);
  angular_acceleration = torque / type->inertia;
  acceleration_wc.x =
      static_cast<float>(sn * acceleration.x + cs * acceleration.y);
  acceleration_wc.y =
      static_cast<float>(cs * acceleration.x - sn * acceleration.y);
}

// Semi-implicit Euler: velocities first, then positions from the new
// velocities; likewise the yaw rate before the heading.
static void integrate(car_state *car, double dt)
{
  vec2 &v = car->velocity_wc;
  vec2 &p = car->position_wc;
  v.x = static_cast<float>(v.x + dt * acceleration_wc.x);
  v.y = static_cast<float>(v.y + dt * acceleration_wc.y);
  p.x = static_cast<float>(p.x + dt * v.x);
  p.y = static_cast<float>(p.y + dt * v.y);
  car->angular_velocity =
      static_cast<float>(car->angular_velocity + dt * angular_acceleration);
  car->angle = static_cast<float>(car->angle + dt * car->angular_velocity);
}

// Keeps the car on the road: x is clamped to the roadway (the velocity is
// left alone, so the car stays pinned while it pushes outwards), and y is
// moved by one 500 m road segment whenever it leaves 500..1500, which the
// scene repeats exactly. The bounds themselves stay.
static void road_bounds(car_state *car)
{
  vec2 &p = car->position_wc;
  if (p.x > 18.0f)
    p.x = 18.0f;
  if (p.x < -18.0f)
    p.x = -18.0f;
  if (p.y > 1500.0f)
    p.y -= 500.0f;
  if (p.y < 500.0f)
    p.y += 500.0f;
}

void do_physics(car_state *car, float delta_t)
{
  car_frame_velocity(car);
  slip_angles(car);
  tyre_forces(car);
  total_force_and_torque(car);
  accelerations(car);
  integrate(car, delta_t);
  road_bounds(car);
}
