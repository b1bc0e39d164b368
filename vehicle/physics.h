// The fixed-step physics of the car: a planar two-axle rigid body.
//
// Car frame: x forward, y to the side. World frame: x across the road,
// y along it. With sn = sin(angle) and cs = cos(angle) one matrix maps
// both ways: car (x, y) -> world (sn x + cs y, cs x - sn y) and back.
#ifndef VEHICLE_PHYSICS_H
#define VEHICLE_PHYSICS_H

#include "vehicle/car.h"

// Working quantities of the latest step. Each is written in the step
// before it is read, so none carries anything into the next step; they
// are program-wide so that every intermediate result can be inspected.
extern double sn;                   // sin(angle)
extern double cs;                   // cos(angle)
extern vec2 velocity;               // m/s, car frame
extern double yawspeed;             // m/s, 0.1 * wheelbase * yaw rate
extern double rot_angle;            // rad, yaw term against forward speed
extern double sideslip;             // rad, side-slip angle of the velocity
extern double slipanglefront;       // rad
extern double slipanglerear;        // rad
extern double weight;               // N, load on each axle
extern vec2 flatf;                  // N, front lateral force, car frame
extern vec2 flatr;                  // N, rear lateral force, car frame
extern vec2 ftraction;              // N, throttle and brake, car frame
extern vec2 resistance;             // N, rolling resistance plus drag
extern vec2 force;                  // N, total, car frame
extern double torque;               // N m, yaw torque about the cg
extern vec2 acceleration;           // m/s^2, car frame
extern double angular_acceleration; // rad/s^2
extern vec2 acceleration_wc;        // m/s^2, world frame

// Advances the car by delta_t seconds and keeps it within the road.
void do_physics(car_state *car, float delta_t);

#endif
