// The starting point of most vehicle and controls tests.
#ifndef TESTS_SUPPORT_FRESH_CAR_H
#define TESTS_SUPPORT_FRESH_CAR_H

#include "vehicle/car.h"

// Fills the car type table, puts the given handling preset in force and
// returns a car as init_car leaves it: at (0, -25), at rest.
car_state fresh_car(int preset);

#endif
