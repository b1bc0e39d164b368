#include "app/app.h"
#include "app/window_class.h"

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
    {install_allegro_gl, "Error durante la inicializacion de AllegroGL"},
    {install_keyboard, "Error durante la instalacion del teclado"},
    {install_timer, "Error durante la instalacion del temporizador"},
};

int start_allegro()
{
  set_window_class(); // before the library makes its windows
  if (allegro_init() != 0) {
    // No system driver: the message goes to standard output.
    report_failure("Error durante la inicializacion de Allegro",
                   "no hay ningun sistema disponible");
    return -1;
  }
  for (const library_part &part : parts) {
    if (part.install() != 0) {
      report_failure(part.failure, "causa desconocida");
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
    report_failure("Error durante la instalacion de los contadores",
                   "no queda ningun temporizador libre");
    return -1;
  }
  return 0;
}

void shut_down()
{
  remove_timer(); // removes both callbacks with the service
  allegro_exit();
}
