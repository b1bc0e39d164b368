// A scripted drive saved as the page saves one (record/csv_writer.h), so
// that the module makes drives for replay to read.
#ifndef PYTHON_SAVED_DRIVE_H
#define PYTHON_SAVED_DRIVE_H

#include "python/model_car.h"

#include <cstdint>
#include <functional>
#include <string>

// Drives a fresh car with preset 1 as model_drive does, a poll before
// every second step, and writes the saved drive's text: its head, then a
// row each step, handed to write a piece at a time. The wall time is the
// model time: the module has no clock of its own. Returns the steps.
long save_model_drive(const std::uint32_t *masks, long steps,
                      const std::function<void(const std::string &)> &write);

#endif
