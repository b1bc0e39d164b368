// One row of a drive's record: what the program did in one loop pass
// (polled the keyboard or not, stepped the car or not) and the car,
// the step's parts and the handling constants after it. A saved drive
// is a list of them, one a physics step, plus one for each poll that no
// step followed before the next poll (two frames within a millisecond).
#ifndef RECORD_DRIVE_ROW_H
#define RECORD_DRIVE_ROW_H

#include "record/handling.h"
#include "record/step_parts.h"
#include "vehicle/car.h"

#include <cstdint>

// The most rows a record keeps: 30 minutes of model time at 0.01 s a
// step. A longer drive keeps its last rows; the first kept row then
// carries the whole state that a replay starts from.
const long record_row_limit = 180000;

struct drive_row {
  long step;          // steps taken since the start; model time step * 0.01 s
  double wall_time;   // s since the program started
  int polled;         // 1 if the row's pass polled the keyboard
  int stepped;        // 1 if it took a step, after the poll
  std::uint32_t keys; // held at the last poll, as bits of key_names
  car_state car;      // after the row's poll and step
  step_parts parts;   // of the row's step, or the last one before it
  handling constants; // in force after the row's poll
};

#endif
