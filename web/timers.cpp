#include "web/timers.h"

#include <allegro.h>

#include <emscripten.h>

namespace
{

struct timer_slot {
  void (*proc)();   // null for a free slot
  double period_ms; // > 0
  double due_ms;    // when the next run comes due
};

timer_slot slots[timer_slots];

} // namespace

int timers_install_at(void (*proc)(), long speed, double now_ms)
{
  if (speed <= 0)
    return -1;
  const double period = speed * 1000.0 / TIMERS_PER_SECOND;
  timer_slot *free_slot = nullptr;
  for (timer_slot &s : slots) {
    if (s.proc == proc) {
      s.period_ms = period;
      return 0;
    }
    if (!s.proc && !free_slot)
      free_slot = &s;
  }
  if (!free_slot)
    return -1;
  *free_slot = timer_slot{proc, period, now_ms + period};
  return 0;
}

void timers_run_until(double now_ms)
{
  for (timer_slot &s : slots) {
    // due_ms is advanced by whole periods, never reset to now, so no
    // time is lost between flips however they fall.
    while (s.proc && s.due_ms <= now_ms) {
      s.proc();
      s.due_ms += s.period_ms;
    }
  }
}

void timers_remove_all()
{
  for (timer_slot &s : slots)
    s = timer_slot{};
}

int install_timer()
{
  return 0;
}

void remove_timer()
{
  timers_remove_all();
}

int install_int_ex(void (*proc)(), long speed)
{
  return timers_install_at(proc, speed, emscripten_get_now());
}
