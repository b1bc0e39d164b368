// Ten million steps of a random drive through the real keyboard poll and
// physics at the loop's nominal pacing (one poll every second step),
// both presets and resets included. After every step the car must be
// finite, on the road and within the controls' ranges.
//
//   soak_tests [STEPS [SEED]]
#include "tests/support/fresh_car.h"
#include "tests/windows/trace_compare.h"
#include "tests/support/scripted_drive.h"
#include "vehicle/constants.h"

#include <allegro.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace
{

const double max_steer = pi / 16 + pi / 1024;

// Keys the driver may hold, with how likely each is to go down when it
// is up, per poll; a key once down stays down for a random while.
struct driver_key {
  int code;
  double press_chance;
};

const driver_key keys[] = {
    {KEY_UP, 0.05},   {KEY_DOWN, 0.02},  {KEY_SPACE, 0.01},
    {KEY_LEFT, 0.03}, {KEY_RIGHT, 0.03}, {KEY_F1, 0.002},
    {KEY_F2, 0.002},  {KEY_F12, 0.0005}, {KEY_ESC, 0.001},
};

struct soak_state {
  std::mt19937 random;
  int hold_left[KEY_MAX] = {}; // polls until each held key is released
  long steps_since_reset = 0;
};

// One poll's worth of key changes: presses start holds of 1 to 200 polls.
void move_keys(soak_state &s)
{
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::uniform_int_distribution<int> hold(1, 200);
  for (const driver_key &k : keys) {
    int &left = s.hold_left[k.code];
    if (left > 0)
      --left;
    else if (chance(s.random) < k.press_chance)
      left = hold(s.random);
    key[k.code] = left > 0;
  }
}

bool finite(const car_state &c)
{
  float fields[car_field_count];
  car_fields(c, fields);
  for (float f : fields)
    if (!std::isfinite(f))
      return false;
  return true;
}

// Returns null when the car is in its ranges, else what is wrong.
const char *check(const car_state &c, long steps_since_reset)
{
  if (!finite(c))
    return "a field is not finite";
  if (c.position_wc.x < -18.0f || c.position_wc.x > 18.0f)
    return "x off the road";
  if (steps_since_reset >= 2 &&
      (c.position_wc.y < 500.0f || c.position_wc.y > 1500.0f))
    return "y outside 500..1500";
  const float t = c.throttle;
  if (t < 0.0f || t > 200.0f || std::fmod(t, 2.0f) != 0.0f)
    return "throttle not an even whole number in 0..200";
  if (c.brake != 0.0f && c.brake != 100.0f)
    return "brake neither 0 nor 100";
  if (std::fabs(static_cast<double>(c.steerangle)) > max_steer)
    return "steering beyond one step past pi/16";
  return nullptr;
}

void print_car(const car_state &c)
{
  float fields[car_field_count];
  car_fields(c, fields);
  for (int i = 0; i < car_field_count; ++i)
    std::printf("  %s %.9g\n", trace_field_name(i), fields[i]);
}

} // namespace

int main(int argc, char **argv)
{
  const long steps = argc > 1 ? std::atol(argv[1]) : 10000000;
  const unsigned seed = argc > 2 ? std::atoi(argv[2]) : 20261207;
  soak_state s;
  s.random.seed(seed);
  car_state car = fresh_car(1);
  float top_speed = 0.0f;
  long reset_polls = 0; // polls with F12 held
  for (long step = 0; step < steps; ++step) {
    if (polls_before(step))
      move_keys(s);
    drive_step(&car, step);
    if (polls_before(step) && key[KEY_F12]) {
      s.steps_since_reset = 0;
      ++reset_polls;
    }
    ++s.steps_since_reset;
    if (const char *problem = check(car, s.steps_since_reset)) {
      std::printf("step %ld (seed %u): %s\n", step, seed, problem);
      print_car(car);
      std::printf("0 passed, 1 failed\n");
      return 1;
    }
    top_speed =
        std::fmax(top_speed, std::hypot(car.velocity_wc.x, car.velocity_wc.y));
  }
  std::printf("%ld steps, seed %u, %ld polls with F12 held, top speed "
              "%.1f m/s\n",
              steps, seed, reset_polls, top_speed);
  std::printf("1 passed, 0 failed\n");
  return 0;
}
