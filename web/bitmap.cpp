// Memory bitmaps: packed pixels at the colour depth in force when each
// was made, as the desktop library keeps them.
#include "web/bitmap_rgb.h"

#include <allegro.h>

#include <new>

namespace
{

int color_depth = 8;

// 5 or 6 bits of a colour back to 8, rounded, as the desktop library's
// scale tables give them.
int widen(int value, int bits)
{
  const int top = (1 << bits) - 1;
  return (value * 255 + top / 2) / top;
}

} // namespace

void set_color_depth(int depth)
{
  color_depth = depth;
}

int makecol(int r, int g, int b)
{
  r &= 0xff;
  g &= 0xff;
  b &= 0xff;
  switch (color_depth) {
  case 15:
    return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
  case 16:
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
  default:
    return r << 16 | g << 8 | b;
  }
}

BITMAP *create_bitmap(int width, int height)
{
  if (width <= 0 || height <= 0)
    return nullptr;
  BITMAP *bmp = new (std::nothrow) BITMAP{width, height, color_depth, nullptr};
  if (!bmp)
    return nullptr;
  const long count = static_cast<long>(width) * height;
  bmp->pixels = new (std::nothrow) int[count]();
  if (!bmp->pixels) {
    delete bmp;
    return nullptr;
  }
  return bmp;
}

void destroy_bitmap(BITMAP *bmp)
{
  if (!bmp)
    return;
  delete[] bmp->pixels;
  delete bmp;
}

// Outside the bitmap nothing is drawn, as the desktop library clips.
void putpixel(BITMAP *bmp, int x, int y, int color)
{
  if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h)
    return;
  bmp->pixels[static_cast<long>(y) * bmp->w + x] = color;
}

rgb_image bitmap_rgb(const BITMAP *bmp)
{
  rgb_image image{bmp->w, bmp->h, {}};
  image.bytes.reserve(static_cast<std::size_t>(bmp->w) * bmp->h * 3);
  const long count = static_cast<long>(bmp->w) * bmp->h;
  for (long i = 0; i < count; ++i) {
    const int c = bmp->pixels[i];
    int r, g, b;
    switch (bmp->depth) {
    case 15:
      r = widen(c >> 10 & 31, 5), g = widen(c >> 5 & 31, 5),
      b = widen(c & 31, 5);
      break;
    case 16:
      r = widen(c >> 11 & 31, 5), g = widen(c >> 5 & 63, 6),
      b = widen(c & 31, 5);
      break;
    default:
      r = c >> 16 & 0xff, g = c >> 8 & 0xff, b = c & 0xff;
    }
    image.bytes.push_back(static_cast<unsigned char>(r));
    image.bytes.push_back(static_cast<unsigned char>(g));
    image.bytes.push_back(static_cast<unsigned char>(b));
  }
  return image;
}
