#include "web/keyboard.h"

#include <allegro.h>

#include <emscripten/html5.h>

#include <cstring>

volatile char key[KEY_MAX];

namespace
{

struct key_name {
  const char *code;
  int key;
};

const key_name keys[] = {
    {"Escape", KEY_ESC},
    {"ArrowUp", KEY_UP},
    {"ArrowDown", KEY_DOWN},
    {"ArrowLeft", KEY_LEFT},
    {"ArrowRight", KEY_RIGHT},
    {"Space", KEY_SPACE},
    {"F1", KEY_F1},
    {"F2", KEY_F2},
    {"F12", KEY_F12},
};

// Returning true makes the page call preventDefault: the program's keys
// neither scroll the page, open the browser's help or its developer
// tools, nor leave full screen.
EM_BOOL on_key(int type, const EmscriptenKeyboardEvent *event, void *)
{
  const int k = key_for_code(event->code);
  if (k == 0)
    return EM_FALSE;
  key[k] = type == EMSCRIPTEN_EVENT_KEYDOWN ? 1 : 0;
  return EM_TRUE;
}

EM_BOOL on_blur(int, const EmscriptenFocusEvent *, void *)
{
  release_all_keys();
  return EM_FALSE;
}

} // namespace

int key_for_code(const char *code)
{
  for (const key_name &k : keys)
    if (std::strcmp(code, k.code) == 0)
      return k.key;
  return 0;
}

void release_all_keys()
{
  for (int k = 0; k < KEY_MAX; ++k)
    key[k] = 0;
}

int install_keyboard()
{
  release_all_keys();
  const char *window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, nullptr, EM_TRUE, on_key);
  emscripten_set_keyup_callback(window, nullptr, EM_TRUE, on_key);
  emscripten_set_blur_callback(window, nullptr, EM_TRUE, on_blur);
  return 0;
}
