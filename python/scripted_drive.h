// A whole scripted drive in one call: the keys of every poll given, the
// car's fields after every step recorded.
#ifndef PYTHON_SCRIPTED_DRIVE_H
#define PYTHON_SCRIPTED_DRIVE_H

#include "python/model_car.h"

#include <cstdint>

// The program's loop at its nominal pace polls the keyboard every 20 ms
// and steps every 10 ms: a poll before every second step.
const int steps_per_poll = 2;

// Where the drive writes each step's fields, one entry a step (two, x
// then y, for the vectors).
struct drive_columns {
  float *position_wc;
  float *velocity_wc;
  float *angle;
  float *angular_velocity;
  float *steerangle;
  float *throttle;
  float *brake;
};

// Takes steps steps, each after a poll with masks[i / 2] when its number
// i is even. Escape ends the drive after the step of its poll, as it
// ends the program's loop. Returns the number of steps taken.
long model_drive(model_car *car, const std::uint32_t *masks, long steps,
                 const drive_columns &out);

#endif
