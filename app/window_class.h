// The class that the desktop knows the program's window by.
#ifndef APP_WINDOW_CLASS_H
#define APP_WINDOW_CLASS_H

// Names the X11 windows' class (WM_CLASS) "drive", in both its instance
// and its class part, as the desktop entry's StartupWMClass says: docks
// and task switchers match a window to its entry, icon and name by it.
// Call it before allegro_init, which makes the library's own windows;
// AllegroGL's window, opened by set_gfx_mode, takes the same class.
// Elsewhere than X11 it does nothing.
void set_window_class();

#endif
