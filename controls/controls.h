// The driver's controls: one poll of the keyboard state.
#ifndef CONTROLS_CONTROLS_H
#define CONTROLS_CONTROLS_H

#include "vehicle/car.h"

// Applies the keys held now (Allegro's key array) to the car's steering,
// throttle and brake, the reset and the handling presets. Returns 1 if
// Escape was held when the poll began, otherwise 0.
int process_input(car_state *car);

#endif
