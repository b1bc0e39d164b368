// The program's poll and step, reached without a change to its code:
// the link (web/web.cmake) sends the main loop's calls of process_input
// and do_physics here (the linker's --wrap, which takes the names as the
// compiler writes them), and these run the program's own and record
// what they did (web/drive_record.h). The keys are read as the poll
// begins, as the poll reads them; the step's parts right after it.
#include "controls/controls.h"
#include "record/handling.h"
#include "record/keys.h"
#include "record/step_parts.h"
#include "vehicle/physics.h"
#include "web/drive_record.h"

#include <emscripten.h>

// process_input(car_state *) and do_physics(car_state *, float): the
// program's own as __real_, the loop's calls reach __wrap_.
extern "C" {
int __real__Z13process_inputP9car_state(car_state *car);
void __real__Z10do_physicsP9car_statef(car_state *car, float delta_t);
int __wrap__Z13process_inputP9car_state(car_state *car);
void __wrap__Z10do_physicsP9car_statef(car_state *car, float delta_t);
}

int __wrap__Z13process_inputP9car_state(car_state *car)
{
  const std::uint32_t keys = held_mask();
  const int quit = __real__Z13process_inputP9car_state(car);
  record_poll(keys, *car, last_step_parts(), program_handling(),
              emscripten_get_now());
  return quit;
}

void __wrap__Z10do_physicsP9car_statef(car_state *car, float delta_t)
{
  __real__Z10do_physicsP9car_statef(car, delta_t);
  record_step(*car, last_step_parts(), program_handling(),
              emscripten_get_now());
}
