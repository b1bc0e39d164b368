// Writes 24-bit uncompressed BMP files, for the image generator and for
// tests that need images of their own.
#ifndef TOOLS_BMP_FILE_H
#define TOOLS_BMP_FILE_H

#include <functional>
#include <string>

// colour(x, row) gives 0xRRGGBB for each pixel; row 0 is the bottom row.
// Returns false when the file cannot be written.
bool write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour);

#endif
