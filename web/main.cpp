// The page's program: the program's own main (web_program_main, see
// <allegro.h>), with its drive recorded from its start on
// (web/drive_record.h), then word to the page of how it ended.
//
// emscripten's exit() is not used. Once a flip has handed control to the
// browser, the program resumes from the browser's event loop, and exit()
// ends by throwing an exception that nothing there catches: the page
// would show an uncaught error after every run. What exit() would do
// besides is done here: standard output is flushed and the key handlers
// are removed. The program registers no atexit handlers.
#define ALLEGRO_NO_MAGIC_MAIN // this is the main that calls the program's
#include <allegro.h>

#include "web/drive_record.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

// The page learns the status through its onDriveExit hook; without one
// it is printed, as a shell would show it.
EM_JS(void, tell_page_ended, (int status), {
  if (Module["onDriveExit"])
    Module["onDriveExit"](status);
  else
    out("drive ended with status " + status);
});

int main()
{
  record_start(emscripten_get_now());
  const int status = web_program_main();
  std::fflush(nullptr);
  emscripten_html5_remove_all_event_listeners();
  tell_page_ended(status);
  return status;
}
