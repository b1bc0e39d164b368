// The keys that a poll reads, by the names of the README's key table, as
// the bits of a mask: one mask says which keys are held at one poll.
#ifndef RECORD_KEYS_H
#define RECORD_KEYS_H

#include <cstdint>
#include <string>

const int key_count = 9;

// Bit i of a mask stands for key_names[i].
extern const char *const key_names[key_count];

// Every bit that names a key.
const std::uint32_t all_keys = (1u << key_count) - 1;

// The bit of the named key, or 0 if no key has that name.
std::uint32_t key_bit(const char *name);

// The names of the mask's keys joined by '+', in key_names' order, as a
// saved drive writes them: "Up+Left"; "" for none.
std::string key_list(std::uint32_t mask);

// Every key's name, for a message: "Up, Down, ..., F12, Escape".
std::string key_name_list();

// The mask of the keys held now in the library's key array.
std::uint32_t held_mask();

// Holds exactly the keys of mask down in the library's key array; a mask
// of 0 lets go of them all.
void hold_mask(std::uint32_t mask);

#endif
