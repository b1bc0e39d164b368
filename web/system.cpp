// The library's core for the web: start and end, the error text and the
// message to the person at the page.
#include <allegro.h>
#include <alleggl.h>

#include <emscripten.h>

#include <cstdarg>
#include <cstdio>

char allegro_error[256] = "";

// The page shows the message where it has a place for it (its
// onDriveMessage hook); otherwise it goes to standard output, as the
// desktop's does without a display.
EM_JS(void, show_message, (const char *text), {
  var message = UTF8ToString(text);
  if (Module["onDriveMessage"])
    Module["onDriveMessage"](message);
  else
    out(message);
});

int allegro_init()
{
  allegro_error[0] = '\0';
  return 0;
}

void allegro_exit()
{
  remove_timer();
}

// The browser has nothing to start: whether WebGL works is known only
// when set_gfx_mode asks for the display.
int install_allegro_gl()
{
  return 0;
}

void allegro_message(const char *format, ...)
{
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  show_message(text);
}
