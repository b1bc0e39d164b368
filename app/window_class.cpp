#include "app/window_class.h"

#include <allegro.h>

// The X11 port's own call, kept apart here because its header brings in
// Xlib's. Made before allegro_init, it reaches every window: the
// library's placeholder and its child, and AllegroGL's (checked with
// xprop); made later, it reaches the child only. Without it the class is
// the library's "allegro", "Allegro", which no desktop entry claims.
#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>

void set_window_class()
{
  xwin_set_window_name("drive", "drive");
}
#else
void set_window_class()
{
}
#endif
