// Time of one physics step, in ns, built both natively and as wasm for
// node (tests/web), so that the two builds run the very same drive:
// weaving as physics_bench's bm_weave, the wheel swinging either way
// every 5 s and the car reset every simulated minute. Prints the best of
// five runs of ten million steps.
#include "vehicle/car.h"
#include "vehicle/physics.h"

#include <chrono>
#include <cstdio>

namespace
{

const long steps = 10000000;

car_state start_car()
{
  car_state car{};
  init_car(&car, &cartypes[0]);
  return car;
}

double run_ns_per_step(float *sink)
{
  car_state car = start_car();
  const auto start = std::chrono::steady_clock::now();
  for (long step = 0; step < steps; ++step) {
    if (step % 6000 == 0)
      car = start_car();
    car.throttle = 120.0f;
    car.steerangle = (step / 500) % 2 ? 0.1f : -0.1f;
    do_physics(&car, 0.01f);
  }
  const auto end = std::chrono::steady_clock::now();
  *sink += car.angle; // keeps the steps from being optimised away
  return std::chrono::duration<double, std::nano>(end - start).count() / steps;
}

} // namespace

int main()
{
  init_cartypes();
  togglevel(1);
  float sink = 0.0f;
  double best = run_ns_per_step(&sink);
  for (int run = 1; run < 5; ++run) {
    const double ns = run_ns_per_step(&sink);
    best = ns < best ? ns : best;
  }
  std::printf("%.1f ns per step (heading sum %g)\n", best, sink);
  return 0;
}
