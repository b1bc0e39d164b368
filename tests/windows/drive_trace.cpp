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
#define ALLEGRO_NO_MAGIC_MAIN // a console program with an ordinary main
#include "controls/controls.h"
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"
#include "vehicle/physics.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

// The driver: a 64-bit linear congruential generator, the same on every
// system, picks how long the next manoeuvre lasts and which keys it holds.
struct driver {
  unsigned long long state = 12345;
  int polls_left = 0;
};

unsigned next_random(driver &d, unsigned range)
{
  d.state = d.state * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<unsigned>(d.state >> 33) % range;
}

// Pedals and wheel for the next 20 to 400 polls; now and then a change of
// handling preset. No reset and no Escape: the drive never starts afresh.
void next_manoeuvre(driver &d)
{
  static const int pedals[] = {KEY_UP, KEY_UP, KEY_DOWN, KEY_SPACE, 0};
  static const int wheel[] = {KEY_LEFT, KEY_RIGHT, 0, 0};
  for (int k = 0; k < KEY_MAX; ++k)
    key[k] = 0;
  const int pedal = pedals[next_random(d, 5)];
  const int turn = wheel[next_random(d, 4)];
  if (pedal)
    key[pedal] = 1;
  if (turn)
    key[turn] = 1;
  if (next_random(d, 20) == 0)
    key[next_random(d, 2) ? KEY_F1 : KEY_F2] = 1;
  d.polls_left = 20 + static_cast<int>(next_random(d, 381));
}

void take_step(driver &d, car_state *car, long step)
{
  if (step % 2 == 0) {
    if (d.polls_left-- == 0)
      next_manoeuvre(d);
    process_input(car);
  }
  do_physics(car, 0.01f);
}

int print_drive(long steps)
{
  driver d;
  car_state car = fresh_car(1);
  for (long step = 1; step <= steps; ++step) {
    take_step(d, &car, step);
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
  driver d;
  car_state car = fresh_car(1);
  trace_difference diff{};
  for (long step = 1; step <= steps; ++step) {
    take_step(d, &car, step);
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
