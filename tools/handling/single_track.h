// The textbook linear single-track ("bicycle") model's steady-state
// yaw-rate gain, with the axle loads and cornering stiffnesses as this
// model's constants define them.
//
// Steady turning at speed V (m/s) with the front wheels at delta (rad)
// gives the yaw rate r = delta * V / (L + K V^2), where L (m) is the
// wheelbase and K (rad per m/s^2) the understeer gradient.
#ifndef TOOLS_HANDLING_SINGLE_TRACK_H
#define TOOLS_HANDLING_SINGLE_TRACK_H

#include "vehicle/car.h"

struct single_track {
  double front_load;      // N, weight on the front axle
  double rear_load;       // N
  double front_stiffness; // N/rad, lateral force per rad of front slip
  double rear_stiffness;  // N/rad
  double understeer;      // rad per m/s^2: (front_load / C_f -
                          // rear_load / C_r) / g; positive understeers
  double wheelbase;       // m, L
  double yaw_length;      // m, what the model's slip angles put for L
};

// The single-track figures of car type t under the handling preset in
// force now (togglevel).
single_track single_track_of(const car_type &t);

// Steady-state yaw rate per unit steering angle, 1/s, at speed (m/s),
// for a wheelbase-like length (m) and understeer gradient.
double yaw_gain(double speed, double length, double understeer);

#endif
