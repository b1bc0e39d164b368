// Writes small 24-bit BMP files for tests.
#ifndef TESTS_SUPPORT_BMP_WRITER_H
#define TESTS_SUPPORT_BMP_WRITER_H

#include <functional>
#include <string>

// colour(x, row) gives 0xRRGGBB for each pixel; row 0 is the bottom row.
void write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour);

#endif
