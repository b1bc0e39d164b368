// A long scripted drive through the real keyboard poll and physics, one
// poll every second step as in the demo's loop, written out step by step
// so that builds for different systems can be compared to the last bit.
//
//   drive_trace STEPS                 prints one line per step
//   drive_trace STEPS FILE TOLERANCE  drives again, compares each step
//                                     with FILE (another build's trace, or
//                                     - for standard input) and fails if a
//                                     field is more than TOLERANCE apart,
//                                     in its own units
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

int print_drive(long steps)
{
  long_driver d;
  car_state car = fresh_car(1);
  for (long step = 1; step <= steps; ++step) {
    long_drive_step(&d, &car, step);
    print_trace_line(stdout, step, car);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int compare_drive(long steps, const char *path, double tolerance)
{
  const bool piped = std::strcmp(path, "-") == 0;
  std::FILE *other = piped ? stdin : std::fopen(path, "r");
  if (!other) {
    std::fprintf(stderr, "drive_trace: cannot read %s\n", path);
    return 2;
  }
  long_driver d;
  car_state car = fresh_car(1);
  trace_difference diff{};
  for (long step = 1; step <= steps; ++step) {
    long_drive_step(&d, &car, step);
    car_state theirs{};
    if (!read_trace_line(other, step, &theirs)) {
      std::fprintf(stderr, "drive_trace: %s ends before step %ld\n", path,
                   step);
      return 2;
    }
    add_difference(&diff, step, car, theirs);
  }
  if (!piped)
    std::fclose(other);
  print_difference(stdout, diff, steps);
  return diff.largest <= tolerance ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
  const long steps = argc > 1 ? std::atol(argv[1]) : 0;
  if (steps <= 0 || argc == 3 || argc > 4) {
    std::fprintf(stderr, "usage: drive_trace STEPS [FILE TOLERANCE]\n");
    return 2;
  }
  if (argc == 2)
    return print_drive(steps);
  return compare_drive(steps, argv[2], std::atof(argv[3]));
}
