// Cost of one physics step, in ns per step.
//
// The heading is never wrapped, so a car that circles for hours reaches
// headings of 1e5 rad, where sin and cos need a slow argument reduction.
// The drive below resets the car every simulated minute, as a driver's
// F12 would; the endless circle is measured apart.
#include "vehicle/car.h"
#include "vehicle/physics.h"

#include <benchmark/benchmark.h>

namespace
{

const float dt = 0.01f;

car_state start_car()
{
  init_cartypes();
  togglevel(1);
  car_state car{};
  init_car(&car, &cartypes[0]);
  return car;
}

// Straight ahead at steady throttle: no steering, no yaw.
void bm_straight(benchmark::State &state)
{
  car_state car = start_car();
  car.throttle = 120.0f;
  for (auto _ : state) {
    do_physics(&car, dt);
    benchmark::DoNotOptimize(car);
  }
}

// Weaving: the wheel swings either way every 5 s, a reset every minute.
void bm_weave(benchmark::State &state)
{
  car_state car = start_car();
  long step = 0;
  for (auto _ : state) {
    if (step % 6000 == 0)
      car = start_car();
    car.throttle = 120.0f;
    car.steerangle = (step / 500) % 2 ? 0.1f : -0.1f;
    do_physics(&car, dt);
    benchmark::DoNotOptimize(car);
    ++step;
  }
}

// Full lock for ever: the heading grows without bound.
void bm_endless_circle(benchmark::State &state)
{
  car_state car = start_car();
  car.throttle = 120.0f;
  car.steerangle = 0.05f;
  for (auto _ : state) {
    do_physics(&car, dt);
    benchmark::DoNotOptimize(car);
  }
  state.counters["final_heading_rad"] = car.angle;
}

} // namespace

BENCHMARK(bm_straight);
BENCHMARK(bm_weave);
BENCHMARK(bm_endless_circle);

BENCHMARK_MAIN();
