#include "python/arguments.h"

#include "record/keys.h"
#include "python/scripted_drive.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <string>

namespace py = pybind11;

float stored(double value, const char *name)
{
  const float f = static_cast<float>(value);
  if (!std::isfinite(f))
    throw py::value_error(std::string(name) + " must be a finite 32-bit " +
                          "float, not " + std::to_string(value));
  return f;
}

vec2 stored_pair(const std::array<double, 2> &value, const char *name)
{
  return vec2{stored(value[0], name), stored(value[1], name)};
}

static std::uint32_t checked_mask(long long mask)
{
  if (mask < 0 || mask > all_keys)
    throw py::value_error("key mask " + std::to_string(mask) +
                          " has bits that name no key; the keys are " +
                          key_name_list() + ", bits 0 to " +
                          std::to_string(key_count - 1));
  return static_cast<std::uint32_t>(mask);
}

static std::uint32_t bit_of(py::handle name)
{
  if (!py::isinstance<py::str>(name))
    throw py::type_error("a key is named by a string, not " +
                         std::string(py::str(py::type::of(name))));
  const std::string s = name.cast<std::string>();
  const std::uint32_t bit = key_bit(s.c_str());
  if (bit == 0)
    throw py::value_error("no key is named '" + s + "'; the keys are " +
                          key_name_list());
  return bit;
}

std::uint32_t mask_of(py::handle keys)
{
  if (py::isinstance<py::str>(keys))
    return bit_of(keys);
  if (py::isinstance<py::int_>(keys))
    return checked_mask(keys.cast<long long>());
  std::uint32_t mask = 0;
  for (py::handle name : py::iter(keys))
    mask |= bit_of(name);
  return mask;
}

// Floats are refused rather than cut to whole numbers.
static py::array_t<long long> whole_numbers(const py::object &keys)
{
  const py::array a = py::array::ensure(keys);
  if (!a)
    throw py::type_error("keys must be an array of key masks");
  const char kind = a.dtype().kind();
  if (a.size() > 0 && kind != 'i' && kind != 'u')
    throw py::type_error("keys must be integer key masks, not " +
                         std::string(py::str(a.dtype())));
  if (a.ndim() != 1)
    throw py::value_error("keys must be one mask a poll, a 1-D array");
  // In C order, each whole number converted to 64 bits.
  const int layout = py::array::c_style | py::array::forcecast;
  return py::array_t<long long, layout>(a);
}

std::vector<std::uint32_t> drive_masks(const py::object &keys, long steps)
{
  const py::array_t<long long> given = whole_numbers(keys);
  if (steps < 0)
    throw py::value_error("steps must be 0 or more, not " +
                          std::to_string(steps));
  const long polls = (steps + steps_per_poll - 1) / steps_per_poll;
  if (given.shape(0) < polls)
    throw py::value_error(std::to_string(steps) + " steps poll " +
                          std::to_string(polls) + " times, but keys has " +
                          std::to_string(given.shape(0)) + " masks");
  std::vector<std::uint32_t> masks(polls);
  for (long i = 0; i < polls; ++i)
    masks[i] = checked_mask(given.at(i));
  return masks;
}
