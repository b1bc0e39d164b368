#include "record/keys.h"

#include <allegro.h>

#include <cstring>

const char *const key_names[key_count] = {
    "Up", "Down", "Left", "Right", "Space", "F1", "F2", "F12", "Escape"};

// The library's code of each key, in the order of key_names.
static const int key_codes[key_count] = {KEY_UP,    KEY_DOWN,  KEY_LEFT,
                                         KEY_RIGHT, KEY_SPACE, KEY_F1,
                                         KEY_F2,    KEY_F12,   KEY_ESC};

std::uint32_t key_bit(const char *name)
{
  for (int i = 0; i < key_count; ++i)
    if (std::strcmp(name, key_names[i]) == 0)
      return 1u << i;
  return 0;
}

std::string key_list(std::uint32_t mask)
{
  std::string s;
  for (int i = 0; i < key_count; ++i)
    if (mask >> i & 1u)
      s.append(s.empty() ? "" : "+").append(key_names[i]);
  return s;
}

std::string key_name_list()
{
  std::string s;
  for (const char *name : key_names)
    s.append(s.empty() ? "" : ", ").append(name);
  return s;
}

std::uint32_t held_mask()
{
  std::uint32_t mask = 0;
  for (int i = 0; i < key_count; ++i)
    if (key[key_codes[i]])
      mask |= 1u << i;
  return mask;
}

void hold_mask(std::uint32_t mask)
{
  for (int i = 0; i < key_count; ++i)
    key[key_codes[i]] = (mask >> i) & 1u;
}
