// A whole scripted drive in one call: the keys of every poll given, the
// car's fields and the step's parts after every step recorded.
#ifndef PYTHON_SCRIPTED_DRIVE_H
#define PYTHON_SCRIPTED_DRIVE_H

#include "python/model_car.h"

#include <cstdint>

// The program's loop at its nominal pace polls the keyboard every 20 ms
// and steps every 10 ms: a poll before every second step.
const int steps_per_poll = 2;

// Where a drive writes the car's values, one entry a step (two, x then
// y, for a vector), each with the name of the field or part it holds.
struct drive_columns {
  float *position_wc;
  float *velocity_wc;
  float *angle;
  float *angular_velocity;
  float *steerangle;
  float *throttle;
  float *brake;
  float *velocity;
  double *slipanglefront;
  double *slipanglerear;
  double *weight;
  float *flatf;
  float *flatr;
  float *ftraction;
  float *resistance;
  float *force;
  double *torque;
  float *acceleration;
  double *angular_acceleration;
};

// The car's fields and its step's parts after one step.
struct drive_step {
  car_state car;
  step_parts parts;
};

// Writes steps[0] to steps[count - 1] as entries first onwards, column
// by column.
void record_steps(const drive_step *steps, long count, long first,
                  const drive_columns &out);

// Takes steps steps, each after a poll with masks[i / 2] when its number
// i is even. Escape ends the drive after the step of its poll, as it
// ends the program's loop. Returns the number of steps taken.
long model_drive(model_car *car, const std::uint32_t *masks, long steps,
                 const drive_columns &out);

#endif
