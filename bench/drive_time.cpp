// The time of the long scripted drive of the trace comparisons, a million
// steps through the real poll and step in a C++ loop, best of five, in
// wall and in CPU time: the figures that bench/python_drive.py's are set
// beside.
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"

#include <chrono>
#include <ctime>
#include <cstdio>

int main()
{
  const long steps = 1000000;
  double wall = 1e9, cpu = 1e9;
  float sink = 0.0f;
  for (int run = 0; run < 5; ++run) {
    long_driver d;
    car_state car = fresh_car(1);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t start_cpu = std::clock();
    for (long step = 1; step <= steps; ++step)
      long_drive_step(&d, &car, step);
    const double took_cpu =
        static_cast<double>(std::clock() - start_cpu) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    wall = took.count() < wall ? took.count() : wall;
    cpu = took_cpu < cpu ? took_cpu : cpu;
    sink += car.angle; // keeps the drive from being optimised away
  }
  std::printf("C++ loop: %ld steps in %.3f s, %.0f ns a step; CPU %.3f s, "
              "%.0f ns (%g)\n",
              steps, wall, wall / steps * 1e9, cpu, cpu / steps * 1e9, sink);
  return 0;
}
