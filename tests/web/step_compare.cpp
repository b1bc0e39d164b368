// The web build's drive against the Linux build's trace (from standard
// input or a file), two ways:
//
// - free-running, as the Windows build is compared: the same drive from
//   the same start. Stated, not checked: the two libms' last bits make
//   the yaw rate of a car almost at rest part now and then.
// - step by step: each step taken from the Linux build's state after the
//   step before, so that what one step of arithmetic can differ by shows
//   and nothing adds up. Fails when any field of any step is more than
//   MAX_UNITS units in the last place from the Linux build's (see
//   worst_units).
//
//   step_compare STEPS FILE MAX_UNITS
//
// The drive is drive_trace's own (tests/windows).
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{

// How far a is from b in the field where they are farthest apart, and
// which field that is. The measure is units in the last place of a float
// as large as b's value or as 1, whichever is larger: near zero, where a
// float's units are tiny, a difference left over from cancelling larger
// terms (a yaw rate of 1e-9 rad/s from torques of hundreds) counts as
// what it is, a last-bit difference in those terms.
double worst_units(const car_state &a, const car_state &b, int *field)
{
  float fa[car_field_count];
  float fb[car_field_count];
  car_fields(a, fa);
  car_fields(b, fb);
  double worst = 0;
  for (int i = 0; i < car_field_count; ++i) {
    const float scale = std::fmax(std::fabs(fb[i]), 1.0f);
    const double unit = std::nextafter(scale, INFINITY) - scale;
    const double d = std::fabs(static_cast<double>(fa[i]) - fb[i]) / unit;
    if (d > worst) {
      worst = d;
      *field = i;
    }
  }
  return worst;
}

struct step_tally {
  long steps_apart = 0;
  long first_step = 0;
  double worst = 0;
  int field = -1;
};

} // namespace

int main(int argc, char **argv)
{
  if (argc != 4) {
    std::fprintf(stderr, "usage: step_compare STEPS FILE MAX_UNITS\n");
    return 2;
  }
  const long steps = std::atol(argv[1]);
  const double max_units = std::atof(argv[3]);
  const bool piped = std::strcmp(argv[2], "-") == 0;
  std::FILE *linux_trace = piped ? stdin : std::fopen(argv[2], "r");
  if (!linux_trace || steps <= 0) {
    std::fprintf(stderr, "step_compare: cannot read %s\n", argv[2]);
    return 2;
  }
  // One driver for both cars: the keys never depend on the car.
  long_driver d;
  car_state free_car = fresh_car(1);
  car_state stepped = free_car;
  car_state theirs = free_car;
  trace_difference free_diff{};
  step_tally each{};
  for (long step = 1; step <= steps; ++step) {
    const car_state before = theirs;
    // A step polls the keys into the car it is given; the stepped car is
    // polled afresh from the Linux state with the same keys.
    const long_driver keys = d;
    long_drive_step(&d, &free_car, step);
    stepped = before;
    long_driver same = keys;
    long_drive_step(&same, &stepped, step);
    if (!read_trace_line(linux_trace, step, &theirs)) {
      std::fprintf(stderr, "step_compare: the trace ends before step %ld\n",
                   step);
      return 2;
    }
    add_difference(&free_diff, step, free_car, theirs);
    int field = -1;
    const double units = worst_units(stepped, theirs, &field);
    if (units == 0)
      continue;
    if (each.first_step == 0)
      each.first_step = step;
    ++each.steps_apart;
    if (units > each.worst) {
      each.worst = units;
      each.field = field;
    }
  }
  std::printf("free-running: ");
  print_difference(stdout, free_diff, steps);
  std::printf("step by step: %ld steps: %ld apart, the first at step %ld; "
              "at most %.3g units in the last place, in %s\n",
              steps, each.steps_apart, each.first_step, each.worst,
              trace_field_name(each.field));
  return each.worst <= max_units ? 0 : 1;
}
