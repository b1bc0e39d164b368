// Scripted drives through the real keyboard poll and physics: keys go
// into Allegro's key array, process_input reads them once every second
// step of 0.01 s (the loop's nominal pacing) and do_physics moves the car.
// The soak test and the cross-build comparisons drive this way.
#ifndef TESTS_SUPPORT_SCRIPTED_DRIVE_H
#define TESTS_SUPPORT_SCRIPTED_DRIVE_H

#include "vehicle/car.h"

#include <initializer_list>

const float drive_dt = 0.01f; // s per step

// Holds exactly the given keys (Allegro key codes) down, every other up.
void hold_keys(std::initializer_list<int> codes);

// The loop polls the keyboard before every even-numbered step.
bool polls_before(long step);

// Takes the step numbered step: the poll first when it is due, then
// drive_dt of physics.
void drive_step(car_state *car, long step);

#endif
