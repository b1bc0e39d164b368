#include "app/app.h"
#include "controls/controls.h"
#include "render/scene.h"
#include "vehicle/physics.h"

// The one time step, in seconds. It is 0.01 whatever the wall clock says:
// simulated time keeps pace with real time only at 10 ms per pass.
static const float time_step = 0.01f;

void main_loop(car_state *car)
{
  // The counters start at 1, so the first pass always polls and steps.
  unsigned int last_iticks = 0;
  unsigned int last_ticks = 0;
  int quit = 0;
  // No sleep: the display flip at the end of render paces the loop.
  while (!quit) {
    render(car);
    if (iticks != last_iticks) {
      last_iticks = iticks;
      quit = process_input(car);
    }
    if (ticks != last_ticks) {
      last_ticks = ticks;
      do_physics(car, time_step);
    }
  }
}
