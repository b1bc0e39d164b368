// What Python hands the module, checked: a bad value raises a Python
// exception (ValueError or TypeError) that says what was wrong, before
// the car is touched.
#ifndef PYTHON_ARGUMENTS_H
#define PYTHON_ARGUMENTS_H

#include "vehicle/car.h"

#include <pybind11/pybind11.h>

#include <array>
#include <cstdint>
#include <vector>

// value rounded to a 32-bit float, as the program stores its fields and
// constants; it must still be finite. name is the field's, for the error.
float stored(double value, const char *name);
vec2 stored_pair(const std::array<double, 2> &value, const char *name);

// The keys held at one poll: a key's name, an iterable of names, or a
// mask.
std::uint32_t mask_of(pybind11::handle keys);

// The masks of a drive's polls, one for each poll that steps steps take,
// from a sequence or array of whole numbers.
std::vector<std::uint32_t> drive_masks(const pybind11::object &keys,
                                       long steps);

#endif
