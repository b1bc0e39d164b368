#include "tests/support/scripted_drive.h"

#include "controls/controls.h"
#include "vehicle/physics.h"

#include <allegro.h>

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

void drive_step(car_state *car, long step)
{
  if (polls_before(step))
    process_input(car);
  do_physics(car, drive_dt);
}
