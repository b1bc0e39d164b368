// The long scripted drive that builds for different systems are compared
// on, and its trace: one line per step, the step number and the car's
// nine fields as the bit patterns of their 32-bit floats, in hexadecimal,
// so that a trace read back on another system holds exactly the same
// values.
#ifndef TESTS_WINDOWS_TRACE_COMPARE_H
#define TESTS_WINDOWS_TRACE_COMPARE_H

#include "vehicle/car.h"

#include <cstdio>

// The car's fields in their order on a line: position_wc.x and .y,
// velocity_wc.x and .y, angle, angular_velocity, steerangle, throttle,
// brake.
const int car_field_count = 9;
void car_fields(const car_state &car, float out[car_field_count]);

// Where two traces part and how far. Differences are in each field's own
// units (m, m/s, rad, rad/s): a last-bit difference in a yaw rate of 1e-8
// rad/s is a far smaller thing than one in a position of 1000 m.
struct trace_difference {
  long first_step;   // first step with any field apart; 0 if none
  long steps_apart;  // steps with any field apart
  int field;         // index of the field with the largest difference
  double largest;    // that difference
  long largest_step; // the step where it was seen
};

// The name of a field by its index on a line.
const char *trace_field_name(int field);

// Writes one step's line.
void print_trace_line(std::FILE *out, long step, const car_state &car);

// Reads the line of the given step into the car's fields (not its type);
// false at the end of the file or on a line that is not that step's.
bool read_trace_line(std::FILE *in, long step, car_state *car);

// Folds one step's pair of cars into the difference.
void add_difference(trace_difference *diff, long step, const car_state &a,
                    const car_state &b);

// One line: identical, or where the traces part and by how much.
void print_difference(std::FILE *out, const trace_difference &diff, long steps);

// The drive's driver: a 64-bit linear congruential generator, the same on
// every system, picks how long the next manoeuvre lasts and which keys
// it holds.
struct long_driver {
  unsigned long long state = 12345;
  int polls_left = 0;
};

// Takes step number step of the drive, from 1, starting from
// fresh_car(1); at each poll the driver may start its next manoeuvre.
void long_drive_step(long_driver *d, car_state *car, long step);

#endif
