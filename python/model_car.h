// One car of the module: the program's car_state with handling constants
// of its own. The program keeps one set of constants for its one car
// (DRAG, RESISTANCE, CA_F, CA_R, MAX_GRIP, written by togglevel); here
// every call lends a car's constants to them and takes them back after,
// F1 and F2 included, so that cars made side by side drive apart.
#ifndef PYTHON_MODEL_CAR_H
#define PYTHON_MODEL_CAR_H

#include "record/handling.h"
#include "record/step_parts.h"
#include "vehicle/car.h"

#include <cstdint>

struct model_car {
  car_state state;
  handling constants;
  // Of the car's own last step, copied right after it: the program keeps
  // one set, which the next car's step overwrites. Zero before the first.
  step_parts parts;
};

// Lends the car's constants to the program for as long as it lives and
// takes them back, changed by F1 or F2 as they may be, then puts back
// whatever the program held before.
struct lent_handling {
  model_car *car;
  handling before;

  explicit lent_handling(model_car *c);
  ~lent_handling();
  lent_handling(const lent_handling &) = delete;
  lent_handling &operator=(const lent_handling &) = delete;
};

// The step every call takes: the program's 0.01 s as a 32-bit float.
const float model_step_length = 0.01f;

// The constants of handling preset 1 (F1) or 0 (F2).
handling preset_handling(int preset);

// A car as the program starts one: at (0, -25), at rest.
model_car make_model_car(const handling &constants);

// One step of 0.01 s, the program's do_physics; keeps its parts.
void model_step(model_car *car);

// One poll of the keyboard with the keys of mask held, the program's
// process_input; returns 1 if Escape asked to quit.
int model_poll(model_car *car, std::uint32_t mask);

// Back to the start, at rest, as F12 does; the constants stay.
void model_reset(model_car *car);

// m/s: the magnitude of the world velocity, and its part along the
// car's forward axis (sin angle, cos angle), in double precision.
double model_speed(const model_car &car);
double model_forward_speed(const model_car &car);

#endif
