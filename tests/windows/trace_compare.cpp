#include "tests/windows/trace_compare.h"

#include "tests/support/scripted_drive.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{

const char *const field_names[car_field_count] = {
    "position_wc.x", "position_wc.y", "velocity_wc.x",
    "velocity_wc.y", "angle",         "angular_velocity",
    "steerangle",    "throttle",      "brake"};

void set_fields(car_state *car, const float f[car_field_count])
{
  car->position_wc = vec2{f[0], f[1]};
  car->velocity_wc = vec2{f[2], f[3]};
  car->angle = f[4];
  car->angular_velocity = f[5];
  car->steerangle = f[6];
  car->throttle = f[7];
  car->brake = f[8];
}

unsigned long bits_of(float f)
{
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

float float_of(unsigned long bits)
{
  const std::uint32_t b = static_cast<std::uint32_t>(bits);
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

unsigned next_random(long_driver *d, unsigned range)
{
  d->state = d->state * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<unsigned>(d->state >> 33) % range;
}

// Pedals and wheel for the next 20 to 400 polls; now and then a change of
// handling preset. No reset and no Escape: the drive never starts afresh.
void next_manoeuvre(long_driver *d)
{
  static const int pedals[] = {KEY_UP, KEY_UP, KEY_DOWN, KEY_SPACE, 0};
  static const int wheel[] = {KEY_LEFT, KEY_RIGHT, 0, 0};
  hold_keys({});
  const int pedal = pedals[next_random(d, 5)];
  const int turn = wheel[next_random(d, 4)];
  if (pedal)
    key[pedal] = 1;
  if (turn)
    key[turn] = 1;
  if (next_random(d, 20) == 0)
    key[next_random(d, 2) ? KEY_F1 : KEY_F2] = 1;
  d->polls_left = 20 + static_cast<int>(next_random(d, 381));
}

} // namespace

void car_fields(const car_state &car, float out[car_field_count])
{
  const float f[car_field_count] = {
      car.position_wc.x, car.position_wc.y, car.velocity_wc.x,
      car.velocity_wc.y, car.angle,         car.angular_velocity,
      car.steerangle,    car.throttle,      car.brake};
  std::memcpy(out, f, sizeof f);
}

void print_trace_line(std::FILE *out, long step, const car_state &car)
{
  float f[car_field_count];
  car_fields(car, f);
  std::fprintf(out, "%ld", step);
  for (float v : f)
    std::fprintf(out, " %08lx", bits_of(v));
  std::fputc('\n', out);
}

bool read_trace_line(std::FILE *in, long step, car_state *car)
{
  long seen = 0;
  if (std::fscanf(in, "%ld", &seen) != 1 || seen != step)
    return false;
  float f[car_field_count];
  for (float &v : f) {
    unsigned long bits = 0;
    if (std::fscanf(in, "%lx", &bits) != 1)
      return false;
    v = float_of(bits);
  }
  set_fields(car, f);
  return true;
}

const char *trace_field_name(int field)
{
  return field >= 0 && field < car_field_count ? field_names[field] : "none";
}

void add_difference(trace_difference *diff, long step, const car_state &a,
                    const car_state &b)
{
  float fa[car_field_count];
  float fb[car_field_count];
  car_fields(a, fa);
  car_fields(b, fb);
  bool apart = false;
  for (int i = 0; i < car_field_count; ++i) {
    if (bits_of(fa[i]) == bits_of(fb[i]))
      continue;
    apart = true;
    const double d = std::fabs(static_cast<double>(fa[i]) - fb[i]);
    if (d > diff->largest || diff->largest_step == 0) {
      diff->field = i;
      diff->largest = d;
      diff->largest_step = step;
    }
  }
  if (!apart)
    return;
  if (diff->first_step == 0)
    diff->first_step = step;
  ++diff->steps_apart;
}

void print_difference(std::FILE *out, const trace_difference &diff, long steps)
{
  if (diff.first_step == 0) {
    std::fprintf(out, "%ld steps: identical to the last bit\n", steps);
    return;
  }
  std::fprintf(out,
               "%ld steps: %ld apart, the first at step %ld; largest "
               "difference %.3g in %s at step %ld\n",
               steps, diff.steps_apart, diff.first_step, diff.largest,
               trace_field_name(diff.field), diff.largest_step);
}

void long_drive_step(long_driver *d, car_state *car, long step)
{
  if (polls_before(step) && d->polls_left-- == 0)
    next_manoeuvre(d);
  drive_step(car, step);
}
