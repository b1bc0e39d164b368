// The numpy arrays that a drive fills, one a field or part of the car,
// and the dict of them that Car.drive and replay return.
#ifndef PYTHON_DRIVE_ARRAYS_H
#define PYTHON_DRIVE_ARRAYS_H

#include "python/scripted_drive.h"

#include <pybind11/numpy.h>

#include <vector>

struct drive_arrays {
  std::vector<pybind11::array> arrays; // in the order of the names
  drive_columns out;                   // where each array's data is
};

// Arrays for steps entries, their pages already in memory.
drive_arrays make_drive_arrays(long steps);

// Each array's first taken entries, by the name of its field or part.
pybind11::dict drive_dict(const drive_arrays &a, long taken);

#endif
