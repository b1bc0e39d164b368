// BMP files of every layout the loader reads, and broken ones, built
// field by field for tests and for the fuzzer's seeds.
#ifndef TESTS_SUPPORT_BMP_WRITER_H
#define TESTS_SUPPORT_BMP_WRITER_H

#include <cstddef>
#include <cstdint>
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

// Writes bytes to a file; false when it cannot.
bool save_bytes(const std::string &path, const bytes &b);

#endif
