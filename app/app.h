// The application frame: timer counters, the main loop and start-up.
#ifndef APP_APP_H
#define APP_APP_H

#include "vehicle/car.h"

// Counters bumped by the library's timer service, asynchronously to the
// main thread. Both start at 1 and are only compared for equality with a
// remembered value, so wrapping modulo 2^32 does no harm.
extern volatile unsigned int ticks;  // +1 per millisecond
extern volatile unsigned int iticks; // +1 per 20 ms input period

// Timer callbacks: each adds 1 to its counter and does nothing else.
void ticks_timer();
void iticks_timer();

// Runs passes of draw, poll and step until a poll reports Escape.
void main_loop(car_state *car);

// Starts Allegro, AllegroGL, the keyboard and the timer service; on a
// failure shows one message, undoes what was started and returns -1.
int start_allegro();

// Installs the two counting callbacks; on a failure shows one message
// and returns -1.
int start_counters();

// Removes the timer service and shuts the library down.
void shut_down();

#endif
