// The columns of a saved drive, in order: each with its name (the
// program's own, a vector's components as name.x and name.y), its unit
// and where a drive_row holds it. The one description of the format,
// which the page's writer and the Python module's reader share.
#ifndef RECORD_COLUMNS_H
#define RECORD_COLUMNS_H

#include <cstddef>

enum class column_type {
  count,      // a whole number (the step)
  model_time, // s, the step count times 0.01, written exactly
  seconds,    // s, a double to the millisecond (the wall time)
  flag,       // 0 or 1
  keys,       // key names joined by '+', in key_names' order; empty for none
  f32,        // a 32-bit float, written so that it reads back to the bit
  f64,        // a 64-bit double, likewise
};

struct record_column {
  const char *name;
  const char *unit; // "-" where the column is no quantity
  column_type type;
  std::size_t offset; // into drive_row; for model_time, the step's
};

extern const record_column record_columns[];
extern const int record_column_count;

#endif
