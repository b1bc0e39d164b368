#include "tools/handling/manoeuvres.h"

#include "controls/controls.h"
#include "vehicle/physics.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

void hold_keys(std::initializer_list<int> codes)
{
  for (int k = 0; k < KEY_MAX; ++k)
    key[k] = 0;
  for (int k : codes)
    key[k] = 1;
}

bool polls_before(long step)
{
  return step % 2 == 0;
}

void drive_step(car_state *car, long step, const float *held_steer)
{
  if (polls_before(step)) {
    process_input(car);
    if (held_steer)
      car->steerangle = *held_steer;
  }
  do_physics(car, drive_dt);
}

namespace
{

const int record_every = 5; // steps between recorded samples (0.05 s)

struct driver {
  car_state car{};
  long step = 0;         // steps since the manoeuvre began
  double path_x = 0.0;   // m, open plane
  double path_y = 0.0;   // m, open plane
  double distance = 0.0; // m travelled
  bool steer_held = false;
  float steer = 0.0f; // rad, written after every poll while steer_held
};

double speed_of(const car_state &c)
{
  return std::hypot(static_cast<double>(c.velocity_wc.x), c.velocity_wc.y);
}

// Speed along the car's forward axis (sin angle, cos angle).
double forward_of(const car_state &c)
{
  const double a = c.angle;
  return std::sin(a) * c.velocity_wc.x + std::cos(a) * c.velocity_wc.y;
}

sample snapshot(const driver &d)
{
  const car_state &c = d.car;
  return sample{static_cast<double>(d.step) / drive_steps_per_second,
                speed_of(c),
                forward_of(c),
                c.angular_velocity,
                c.angle,
                d.path_x,
                d.path_y,
                c.position_wc.x,
                c.throttle,
                c.steerangle};
}

// One step at the loop's nominal pacing: a poll before every second step.
void advance(driver &d)
{
  drive_step(&d.car, d.step, d.steer_held ? &d.steer : nullptr);
  ++d.step;
  d.path_x += drive_dt * static_cast<double>(d.car.velocity_wc.x);
  d.path_y += drive_dt * static_cast<double>(d.car.velocity_wc.y);
  d.distance += drive_dt * speed_of(d.car);
}

// Runs n steps, recording every few into out (if given).
void run_for(driver &d, long n, std::vector<sample> *out)
{
  for (long i = 0; i < n; ++i) {
    advance(d);
    if (out && d.step % record_every == 0)
      out->push_back(snapshot(d));
  }
}

// A reset car (F12) with the preset's key (F1 or F2) held for one poll;
// the clock and the open-plane path start from there.
driver start(int preset)
{
  init_cartypes();
  driver d;
  init_car(&d.car, &cartypes[0]);
  hold_keys({KEY_F12, preset ? KEY_F1 : KEY_F2});
  advance(d);
  advance(d);
  hold_keys({});
  d = driver{d.car};
  return d;
}

// Holds Up until the forward speed reaches target (m/s).
void accelerate_to(driver &d, double target)
{
  hold_keys({KEY_UP});
  while (forward_of(d.car) < target)
    advance(d);
  hold_keys({});
}

// Holds the speed near target for a while with Up and Down, as a driver
// would: up in steps of 2, down in steps of 10.
void cruise(driver &d, double target, double seconds)
{
  for (long i = 0; i < seconds * drive_steps_per_second; ++i) {
    if (polls_before(d.step)) {
      const double v = forward_of(d.car);
      if (v < target - 0.05)
        hold_keys({KEY_UP});
      else if (v > target + 0.5)
        hold_keys({KEY_DOWN});
      else
        hold_keys({});
    }
    advance(d);
  }
  hold_keys({});
}

} // namespace

acceleration_result run_acceleration(int preset)
{
  acceleration_result r{};
  driver d = start(preset);
  hold_keys({KEY_UP});
  r.samples.push_back(snapshot(d));
  r.time_to_100 = -1.0;
  const double v100 = 100.0 / 3.6;
  double previous = 0.0;
  for (long i = 0; i < 120 * drive_steps_per_second; ++i) {
    advance(d);
    const double v = speed_of(d.car);
    if (r.time_to_100 < 0 && v >= v100) {
      // Linear interpolation within the step.
      const double t = static_cast<double>(d.step) / drive_steps_per_second;
      r.time_to_100 = t - 0.01 * (v - v100) / (v - previous);
    }
    r.top_speed = std::max(r.top_speed, v);
    previous = v;
    if (d.step % (4 * record_every) == 0)
      r.samples.push_back(snapshot(d));
  }
  hold_keys({});
  // Full throttle gives 100 * 200 N; drag and rolling resistance balance
  // it where DRAG v^2 + RESISTANCE v = 20000.
  const double drag = DRAG, rolling = RESISTANCE;
  r.balance_speed =
      (-rolling + std::sqrt(rolling * rolling + 4.0 * drag * 20000.0)) /
      (2.0 * drag);
  return r;
}

braking_result run_braking(int preset)
{
  braking_result r{};
  driver d = start(preset);
  accelerate_to(d, 100.0 / 3.6);
  r.start_speed = forward_of(d.car);
  d = driver{d.car};
  hold_keys({KEY_SPACE});
  r.samples.push_back(snapshot(d));
  while (forward_of(d.car) > 0.0) {
    advance(d);
    if (d.step % record_every == 0)
      r.samples.push_back(snapshot(d));
  }
  r.samples.push_back(snapshot(d));
  r.stop_time = static_cast<double>(d.step) / drive_steps_per_second;
  r.stop_distance = d.distance;
  const double heading_at_stop = d.car.angle;
  for (long i = 0; i < 5 * drive_steps_per_second; ++i) {
    advance(d);
    r.after_stop_speed = std::max(r.after_stop_speed, speed_of(d.car));
    if (d.step % record_every == 0)
      r.samples.push_back(snapshot(d));
  }
  r.after_stop_turn = d.car.angle - heading_at_stop;
  hold_keys({});
  return r;
}

step_steer_result run_step_steer(int preset, double speed_kmh)
{
  step_steer_result r{};
  driver d = start(preset);
  const double target = speed_kmh / 3.6;
  accelerate_to(d, target);
  cruise(d, target, 10.0);
  r.entry_speed = speed_of(d.car);
  d = driver{d.car};
  r.samples.push_back(snapshot(d));
  hold_keys({KEY_LEFT}); // the throttle stays where the cruise left it
  run_for(d, 8 * drive_steps_per_second, &r.samples);
  hold_keys({});
  for (const sample &s : r.samples)
    if (std::fabs(s.yaw_rate) > std::fabs(r.peak_yaw_rate))
      r.peak_yaw_rate = s.yaw_rate;
  r.final_yaw_rate = d.car.angular_velocity;
  r.final_speed = speed_of(d.car);
  r.heading_change = r.samples.back().heading - r.samples.front().heading;
  return r;
}

// Spread of a quantity over the last samples, relative to its mean size.
static double relative_spread(const std::vector<sample> &s, std::size_t last,
                              double sample::*field)
{
  double lo = 1e300, hi = -1e300, sum = 0.0;
  for (std::size_t i = s.size() - last; i < s.size(); ++i) {
    lo = std::min(lo, s[i].*field);
    hi = std::max(hi, s[i].*field);
    sum += std::fabs(s[i].*field);
  }
  const double mean = sum / last;
  return mean > 0.0 ? (hi - lo) / mean : 0.0;
}

// Steady: over the last 10 s neither yaw rate nor speed moves by more
// than 1% of its size. Otherwise says by how much they move.
static bool settled(const std::vector<sample> &s, std::string &why_not)
{
  const std::size_t last = 10 * drive_steps_per_second / record_every;
  const double yaw_spread = relative_spread(s, last, &sample::yaw_rate);
  const double speed_spread = relative_spread(s, last, &sample::speed);
  if (yaw_spread < 0.01 && speed_spread < 0.01)
    return true;
  why_not = "over the last 10 s the yaw rate varies by " +
            std::to_string(yaw_spread * 100.0) + "% and the speed by " +
            std::to_string(speed_spread * 100.0) + "%";
  return false;
}

circle_result run_full_lock_circle(int preset)
{
  circle_result r{};
  driver d = start(preset);
  hold_keys({KEY_UP});
  while (d.car.throttle < 60.0f)
    advance(d);
  r.throttle = d.car.throttle;
  d = driver{d.car};
  r.samples.push_back(snapshot(d));
  hold_keys({KEY_LEFT}); // full lock after 65 polls, held from then on
  run_for(d, 60 * drive_steps_per_second, &r.samples);
  hold_keys({});
  r.speed = speed_of(d.car);
  r.yaw_rate = d.car.angular_velocity;
  r.steady = settled(r.samples, r.why_not) && r.yaw_rate != 0.0;
  if (r.steady) {
    r.radius = r.speed / std::fabs(r.yaw_rate);
    r.lateral_accel = r.speed * std::fabs(r.yaw_rate);
  }
  return r;
}

steady_steer_result run_steady_steer(int preset, double speed_kmh, float steer)
{
  steady_steer_result r{};
  driver d = start(preset);
  // Traction is 100 N per unit of throttle, which Up raises by 2.
  const double v = speed_kmh / 3.6;
  const double need = (RESISTANCE * v + DRAG * v * v) / 100.0;
  r.throttle = 2.0 * std::round(need / 2.0);
  hold_keys({KEY_UP});
  while (d.car.throttle < r.throttle)
    advance(d);
  hold_keys({});
  run_for(d, 60 * drive_steps_per_second, nullptr);
  d = driver{d.car};
  d.steer_held = true;
  d.steer = steer;
  d.car.steerangle = steer;
  r.steer = steer;
  r.samples.push_back(snapshot(d));
  run_for(d, 60 * drive_steps_per_second, &r.samples);
  r.speed = speed_of(d.car);
  r.yaw_rate = d.car.angular_velocity;
  r.steady = settled(r.samples, r.why_not);
  return r;
}

float one_poll_of_left()
{
  car_state car{};
  init_car(&car, &cartypes[0]);
  hold_keys({KEY_LEFT});
  process_input(&car);
  hold_keys({});
  return car.steerangle;
}
