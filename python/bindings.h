// The module's bindings that live in files of their own, each added to
// the module by drive_model.cpp.
#ifndef PYTHON_BINDINGS_H
#define PYTHON_BINDINGS_H

#include "python/model_car.h"

#include <pybind11/pybind11.h>

// The parts of the car's own last step, read-only (part_fields.cpp).
void add_part_fields(pybind11::class_<model_car> &car);

// Saving a drive as the page saves one, and replaying a saved drive
// (record_functions.cpp).
void add_record_functions(pybind11::module_ &m);

#endif
