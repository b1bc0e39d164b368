// The program's one image loader: BMP files as image tools write them,
// every byte of them treated as untrusted.
#ifndef IMAGE_IMAGE_FILE_H
#define IMAGE_IMAGE_FILE_H

#include <allegro.h>

// Loads the BMP file at path into a new memory bitmap at the current
// colour depth (set_color_depth), as load_bmp does without a palette.
// Returns null on refusal and sets *problem to the reason, a short text
// in the program's language (plain-ASCII Spanish); *problem is left
// alone on success. Needs only install_allegro, with any system driver,
// SYSTEM_NONE included: no display, no OpenGL.
BITMAP *load_image_file(const char *path, const char **problem);

#endif
