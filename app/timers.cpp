#include "app/app.h"

volatile unsigned int ticks = 1;
volatile unsigned int iticks = 1;

// Written as load-add-store: one writer per counter, so the increment
// need not be atomic; unsigned, so it wraps without fault.
void ticks_timer()
{
  ticks = ticks + 1;
}

void iticks_timer()
{
  iticks = iticks + 1;
}
