// The long scripted drive that builds for different systems are compared
// on: a driver that the same seed makes the same on every system, and
// the demo loop's poll and physics.
#ifndef TESTS_WINDOWS_LONG_DRIVE_H
#define TESTS_WINDOWS_LONG_DRIVE_H

#include "vehicle/car.h"

// A 64-bit linear congruential generator picks how long the next
// manoeuvre lasts and which keys it holds.
struct long_driver {
  unsigned long long state = 12345;
  int polls_left = 0;
};

// Takes step number step of the drive, from 1, starting from
// fresh_car(1); at each poll the driver may start its next manoeuvre.
void long_drive_step(long_driver *d, car_state *car, long step);

#endif
