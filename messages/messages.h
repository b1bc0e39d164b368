// The texts of the program's messages as C++ names, from the table in
// messages.def: failure_ names for a message's first line, cause_ and
// problem_ names for its second. Only the texts are compiled in; their
// English meanings are for the documents made from the same table.
#ifndef MESSAGES_MESSAGES_H
#define MESSAGES_MESSAGES_H

#define DRIVE_MESSAGE(name, kind, text, english, advice)                       \
  inline constexpr const char *name = text;
#include "messages/messages.def"
#undef DRIVE_MESSAGE

#endif
