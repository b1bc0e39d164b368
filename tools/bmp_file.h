// The one BMP writer: files of every layout the loader reads, and broken
// ones, built field by field for the tests and the fuzzer's seeds, and
// the 24-bit images of the image generator.
#ifndef TOOLS_BMP_FILE_H
#define TOOLS_BMP_FILE_H

#include "tools/file_writer.h" // for saving bmp_bytes

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using bytes = std::vector<unsigned char>;

struct bmp_fields {
  int header_size = 40; // 12, 16 to 64, 108 or 124
  int width = 3;
  int height = 2; // negative for top-down rows
  int planes = 1;
  int bits = 24;
  int compression = 0;
  std::uint32_t image_size = 0; // bytes of pixels; 0 leaves it unsaid
  std::uint32_t resolution = 0; // pixels per metre, both ways
  std::uint32_t colours_used = 0;
  // Colour masks: after a 40-byte header, else in the header's fields.
  std::vector<std::uint32_t> masks;
  std::vector<std::uint32_t> palette; // 0xRRGGBB
  std::size_t gap = 0;                // bytes between palette and pixels
  bytes pixels;                       // as stored: rows or a coded stream
};

// The whole file, with the pixel offset pointing just past the gap.
bytes bmp_bytes(const bmp_fields &fields);

// Rows of pixel values (palette indices, or whole pixels at 16, 24 and
// 32 bits, little-endian), given in the order stored, packed at the
// given depth and padded to 4 bytes.
bytes packed_rows(int bits,
                  const std::vector<std::vector<std::uint32_t>> &rows);

// A 24-bit uncompressed image at 72 dpi: colour(x, row) gives 0xRRGGBB
// for each pixel; row 0 is the bottom row. False when the file cannot be
// written.
bool write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour);

#endif
