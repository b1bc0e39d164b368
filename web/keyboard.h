// The page's keys as the program's: KeyboardEvent.code names to KEY_
// codes.
#ifndef WEB_KEYBOARD_H
#define WEB_KEYBOARD_H

// The KEY_ code of a KeyboardEvent.code name ("ArrowUp", "F12"...), or 0
// for a key the program does not read. Keys are told apart by place on
// the keyboard, not by the character they type.
int key_for_code(const char *code);

// Lets go of every key, as when the page loses the focus and key-up
// events stop coming.
void release_all_keys();

#endif
