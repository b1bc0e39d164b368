#include "app/app.h"
#include "app/window_class.h"
#include "messages/messages.h"

#include <allegro.h>
#include <alleggl.h>

// Shows one message in the program's language: what failed, then the
// library's own explanation, or the given cause when it has none.
static void report_failure(const char *what, const char *cause)
{
  const char *detail = allegro_error[0] ? allegro_error : cause;
  allegro_message("%s:\n%s\n", what, detail);
}

// The parts of the library started after the core, in this order, and
// the first line of the message shown when one fails.
struct library_part {
  int (*install)();
  const char *failure;
};

static const library_part parts[] = {
    {install_allegro_gl, failure_allegro_gl},
    {install_keyboard, failure_keyboard},
    {install_timer, failure_timer},
};

int start_allegro()
{
  set_window_class(); // before the library makes its windows
  if (allegro_init() != 0) {
    // No system driver: the message goes to standard output.
    report_failure(failure_allegro, cause_no_system);
    return -1;
  }
  for (const library_part &part : parts) {
    if (part.install() != 0) {
      report_failure(part.failure, cause_unknown);
      allegro_exit(); // undoes every part started so far
      return -1;
    }
  }
  return 0;
}

int start_counters()
{
  // 1193 and 23860 are MSEC_TO_TIMER(1) and MSEC_TO_TIMER(20), in the
  // library's units of 1/1193181 s.
  if (install_int_ex(ticks_timer, 1193) != 0 ||
      install_int_ex(iticks_timer, 23860) != 0) {
    report_failure(failure_counters, cause_no_timer_left);
    return -1;
  }
  return 0;
}

void shut_down()
{
  remove_timer(); // removes both callbacks with the service
  allegro_exit();
}
