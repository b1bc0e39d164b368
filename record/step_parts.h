// What one physics step worked out on its way: the working quantities
// that do_physics leaves program-wide (vehicle/physics.h), copied right
// after the step, never computed again. The next step overwrites the
// program-wide ones, so whoever keeps a step's parts keeps a copy.
#ifndef RECORD_STEP_PARTS_H
#define RECORD_STEP_PARTS_H

#include "vehicle/car.h"

// Car frame: x forward, y to the left. Each axle's lateral force is
// capped at MAX_GRIP * weight either way; the front one enters the total
// force scaled by cos(steerangle), the torque without it.
struct step_parts {
  vec2 velocity;               // m/s, car frame
  double slipanglefront;       // rad
  double slipanglerear;        // rad
  double weight;               // N, load on each axle
  vec2 flatf;                  // N, front lateral force (x always 0)
  vec2 flatr;                  // N, rear lateral force (x always 0)
  vec2 ftraction;              // N, throttle and brake (y always 0)
  vec2 resistance;             // N, rolling resistance plus drag
  vec2 force;                  // N, total
  double torque;               // N m, yaw torque about the cg
  vec2 acceleration;           // m/s^2, car frame
  double angular_acceleration; // rad/s^2
};

// The parts of the step that ran last, whichever car it stepped.
step_parts last_step_parts();

#endif
