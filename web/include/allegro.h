// The part of Allegro 4 that the program uses, for the web build: the
// same names and meanings, implemented in web/ over the browser. Only
// what vehicle/, controls/, image/, render/ and app/ call is declared.
#ifndef WEB_ALLEGRO_H
#define WEB_ALLEGRO_H

#define TRUE -1
#define FALSE 0

// The library's own main runs the program's (renamed by this macro, as
// the desktop library does on some systems), so that it sees the
// program end however often the flip has handed control to the browser.
// A program with a main of its own defines ALLEGRO_NO_MAGIC_MAIN first.
#ifndef ALLEGRO_NO_MAGIC_MAIN
#define main web_program_main
#endif
int web_program_main();
#define END_OF_MAIN()

// Keys the program reads, indices into key[]. KEY_MAX bounds the array.
enum {
  KEY_ESC = 1,
  KEY_UP,
  KEY_DOWN,
  KEY_LEFT,
  KEY_RIGHT,
  KEY_SPACE,
  KEY_F1,
  KEY_F2,
  KEY_F12,
  KEY_MAX
};

// Nonzero while the key is held; written by the page's key events.
extern volatile char key[KEY_MAX];

// Why the last call failed, in the program's language; empty if none.
extern char allegro_error[256];

int allegro_init();
void allegro_exit();

// Shows a printf-style message on the page (standard output without one).
void allegro_message(const char *format, ...)
    __attribute__((format(printf, 1, 2)));

// Starts passing the page's key events to key[]. Returns 0.
int install_keyboard();

// The timer service: each callback runs once per period, from the
// display flip, as many times as the page's clock says have elapsed.
// Periods are in units of 1/1193181 s.
#define TIMERS_PER_SECOND 1193181L
#define MSEC_TO_TIMER(x) ((long)(x) * (TIMERS_PER_SECOND / 1000))
int install_timer();
void remove_timer();
// Returns 0, or -1 with every timer slot taken.
int install_int_ex(void (*proc)(), long speed);

// A memory bitmap of packed pixels at a colour depth of 15, 16, 24 or 32.
struct BITMAP {
  int w, h;
  int depth;
  int *pixels; // row after row, top row first
};

void set_color_depth(int depth);
int makecol(int r, int g, int b); // at the current colour depth
// Returns null when memory runs out.
BITMAP *create_bitmap(int width, int height);
void destroy_bitmap(BITMAP *bmp);
void putpixel(BITMAP *bmp, int x, int y, int color);

// The display: only GFX_OPENGL (alleggl.h) is known. Returns 0, or -1
// with allegro_error set.
int set_gfx_mode(int card, int w, int h, int v_w, int v_h);

#endif
