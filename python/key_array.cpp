// The key array that controls/ reads. The module has no keyboard of its
// own: each poll fills the array from a mask (record/keys.h).
#include <allegro.h>

volatile char key[KEY_MAX];
