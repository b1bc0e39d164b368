// The program's working directory on the page: the files that the page
// hands to each instance (its driveFiles, [name, bytes] pairs: lep.bmp and
// emblem.bmp, or a person's own), read where they are, in the page's
// memory. The build has no file system of emscripten's (-sFILESYSTEM=0),
// whose set-up was some 80 ms of the start with the CPU slowed 4 times:
// the program only reads these two files, through fopen, which the build
// wraps (web/web.cmake).
#ifndef WEB_FILES_H
#define WEB_FILES_H

#include <cstdio>

// The page's file of that name, open for reading ("r" or "rb"). Null
// with errno ENOENT if the page has none so called, EACCES for any
// other mode, ENOMEM if no stream could be made.
std::FILE *web_file_open(const char *name, const char *mode);

#endif
