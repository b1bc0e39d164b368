// A look at a BMP file's headers before the library loads it.
#ifndef RENDER_BMP_CHECK_H
#define RENDER_BMP_CHECK_H

// Returns null when the file can be read, is a BMP and holds all the
// pixel data that its headers declare; otherwise a short description of
// the problem, in the program's language (plain-ASCII Spanish).
const char *bmp_file_problem(const char *path);

#endif
