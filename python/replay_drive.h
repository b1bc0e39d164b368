// A saved drive driven again through the module's car: the same polls
// with the same keys and the same steps, row by row, each of the car's
// values after a row set beside the saved one.
#ifndef PYTHON_REPLAY_DRIVE_H
#define PYTHON_REPLAY_DRIVE_H

#include "python/scripted_drive.h"
#include "record/columns.h"
#include "record/drive_row.h"

#include <vector>

// Where the replay's values part from the saved ones.
struct replay_differences {
  long first_step = -1; // of the first row apart; -1 if none
  // By column of record_columns: the largest absolute difference, -1 for
  // a column never apart (0 for one apart by the sign of a zero alone).
  std::vector<double> largest = std::vector<double>(record_column_count, -1);
};

// The row that a replay starts after: a drive whose first row has step 0
// or 1 starts from a fresh car with preset 1 and replays every row; a
// drive cut to its last rows starts from its first row's car, parts and
// constants and replays the rows after it.
long first_replayed_row(const std::vector<drive_row> &rows);

// Replays the rows from first_replayed_row, writing the car's fields and
// parts after each as entry i - first of out, its constants likewise.
void replay_rows(const std::vector<drive_row> &rows, const drive_columns &out,
                 handling *constants, replay_differences *d);

#endif
