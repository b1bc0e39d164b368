// The time of the long scripted drive of the trace comparisons, a million
// steps through the real poll and step in a C++ loop, best of five: the
// figure that bench/python_drive.py's is set beside.
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"

#include <chrono>
#include <cstdio>

int main()
{
  const long steps = 1000000;
  double best = 1e9;
  float sink = 0.0f;
  for (int run = 0; run < 5; ++run) {
    long_driver d;
    car_state car = fresh_car(1);
    const auto start = std::chrono::steady_clock::now();
    for (long step = 1; step <= steps; ++step)
      long_drive_step(&d, &car, step);
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    best = took.count() < best ? took.count() : best;
    sink += car.angle; // keeps the drive from being optimised away
  }
  std::printf("C++ loop: %ld steps in %.3f s, %.0f ns a step (%g)\n", steps,
              best, best / steps * 1e9, sink);
  return 0;
}
