// Run-length coded BMP pixel data (RLE8 and RLE4).
#ifndef IMAGE_BMP_RLE_H
#define IMAGE_BMP_RLE_H

#include "image/bmp_header.h"

#include <cstddef>

// Expands the coded stream data[0, size) into one palette index per
// pixel, row 0 on top, width * height of them. Pixels that the stream
// skips over (with an end of line, an end of bitmap or a move) keep
// index 0, the palette's first colour. Returns null once the end of
// bitmap is reached; otherwise the reason: a run or a move past the end
// of a row or past the last row, or a stream cut short.
const char *expand_rle(const unsigned char *data, std::size_t size,
                       const bmp_header &header, unsigned char *indices);

#endif
