// The timer service's bookkeeping, apart from the page's clock so that
// it can be driven by any clock. Times are in milliseconds.
#ifndef WEB_TIMERS_H
#define WEB_TIMERS_H

// The most callbacks installed at once, as in the desktop library.
const int timer_slots = 16;

// Installs proc to run once every speed/1193181 s from now_ms on, or
// changes the period of proc if it is installed already. Returns 0, or
// -1 with every slot taken or a period that is not positive.
int timers_install_at(void (*proc)(), long speed, double now_ms);

// Runs each callback once for every whole period that has ended by
// now_ms and not yet been run. A clock that stood still or went back
// runs nothing.
void timers_run_until(double now_ms);

// Removes every callback.
void timers_remove_all();

#endif
