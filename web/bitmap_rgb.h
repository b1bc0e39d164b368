// Images as OpenGL takes them: 8-bit red, green and blue, row after row.
#ifndef WEB_BITMAP_RGB_H
#define WEB_BITMAP_RGB_H

#include <allegro.h>

#include <vector>

struct rgb_image {
  int w, h;
  std::vector<unsigned char> bytes; // w * h * 3, top row first
};

// The bitmap's pixels widened to 8 bits a colour, whatever its depth.
rgb_image bitmap_rgb(const BITMAP *bmp);

#endif
