// Frame cost of the road scene at 640x480 beside a frame that only clears
// and flips, in the same run on the same display, and the heap
// allocations of a whole loop pass once the drive has settled.
//
//   with_xvfb.sh render_bench DATA_DIR [benchmark flags]
#include "bench/alloc_count.h"
#include "controls/controls.h"
#include "render/scene.h"
#include "render/video.h"
#include "vehicle/physics.h"

#include <allegro.h>
#include <alleggl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace
{

car_state drive_car()
{
  car_state car{};
  init_car(&car, &cartypes[0]);
  car.position_wc = vec2{2.0f, 1000.0f};
  car.velocity_wc = vec2{0.0f, 30.0f};
  return car;
}

void bm_render(benchmark::State &state)
{
  car_state car = drive_car();
  for (auto _ : state) {
    render(&car);
    car.position_wc.y += 0.3f; // 30 m/s at 100 frames per second
    if (car.position_wc.y > 1500.0f)
      car.position_wc.y -= 500.0f;
  }
  glFinish();
}

// The floor under any frame: clear both buffers and flip.
void bm_clear_flip(benchmark::State &state)
{
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    allegro_gl_flip();
  }
  glFinish();
}

// Allocations per loop pass (draw, poll, step) after a warm-up.
double allocations_per_pass()
{
  car_state car = drive_car();
  for (int i = 0; i < 200; ++i) {
    render(&car);
    process_input(&car);
    do_physics(&car, 0.01f);
  }
  const int passes = 2000;
  const unsigned long before = allocations();
  for (int i = 0; i < passes; ++i) {
    render(&car);
    process_input(&car);
    do_physics(&car, 0.01f);
  }
  return static_cast<double>(allocations() - before) / passes;
}

// Allocations per poll and step alone: the program's own work in a pass.
double allocations_per_step()
{
  car_state car = drive_car();
  const int steps = 100000;
  const unsigned long before = allocations();
  for (int i = 0; i < steps; ++i) {
    process_input(&car);
    do_physics(&car, 0.01f);
  }
  return static_cast<double>(allocations() - before) / steps;
}

} // namespace

BENCHMARK(bm_render)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(bm_clear_flip)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char **argv)
{
  if (argc < 2 || chdir(argv[1]) != 0) {
    std::fprintf(stderr, "usage: %s DATA_DIR [benchmark flags]\n", argv[0]);
    return 2;
  }
  if (allegro_init() != 0 || install_allegro_gl() != 0)
    return 1;
  init_cartypes();
  togglevel(1);
  if (set_video() != 0)
    return 1;
  argv[1] = argv[0];
  int rest = argc - 1;
  benchmark::Initialize(&rest, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("allocations per loop pass (whole process): %.3f\n",
              allocations_per_pass());
  std::printf("allocations per poll and step: %.3f\n", allocations_per_step());
  allegro_exit();
  return 0;
}
