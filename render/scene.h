// The road scene: the driver's view, drawn once per loop pass.
#ifndef RENDER_SCENE_H
#define RENDER_SCENE_H

#include "vehicle/car.h"

// Draws the road, banks and end walls from the car's position and
// heading, then flips the display. Reads the car, never writes it.
void render(const car_state *car);

#endif
