// Decoding of a whole BMP file held in memory into plain RGB pixels.
#ifndef IMAGE_BMP_DECODE_H
#define IMAGE_BMP_DECODE_H

#include <cstddef>
#include <cstdint>
#include <vector>

struct bmp_image {
  int width, height;
  std::vector<std::uint32_t> pixels; // 0xRRGGBB, row by row, top row first
};

// Decodes the file bytes[0, size). Returns null and fills *image, or the
// reason in the program's language (plain-ASCII Spanish) and leaves
// *image unspecified. Every read stays within the bytes given; the only
// allocations are the pixels, at most max_image_side squared, and for
// run-length coded data one byte per pixel more. They throw
// std::bad_alloc when memory runs out.
const char *decode_bmp(const unsigned char *bytes, std::size_t size,
                       bmp_image *image);

#endif
