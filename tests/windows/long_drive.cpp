#include "tests/windows/long_drive.h"

#include "tools/handling/manoeuvres.h"

#include <allegro.h>

namespace
{

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

void long_drive_step(long_driver *d, car_state *car, long step)
{
  if (polls_before(step) && d->polls_left-- == 0)
    next_manoeuvre(d);
  drive_step(car, step);
}
