// The headers of a BMP file: what its pixel data is and where it lies.
#ifndef IMAGE_BMP_HEADER_H
#define IMAGE_BMP_HEADER_H

#include <cstddef>
#include <cstdint>

// Largest width and height accepted, in pixels. At 4096 x 4096 the
// pixels take at most 64 MiB at 32 bits: every size computed from them,
// here, in the library's bitmaps (int) and in the texture maker, stays
// far from overflow, and the texture fits every OpenGL implementation
// that has shipped since the first shader-model-3 cards (4096 or more).
const int max_image_side = 4096;

// How the pixel data is stored.
enum bmp_encoding {
  bmp_plain,     // rows of packed pixels, each padded to 4 bytes
  bmp_bitfields, // the same at 16 or 32 bits, with masks of our own
  bmp_rle8,      // run-length coded 8-bit palette indices
  bmp_rle4       // run-length coded 4-bit palette indices
};

struct bmp_header {
  int width;     // pixels, 1 to max_image_side
  int height;    // pixels, 1 to max_image_side
  bool top_down; // the first row stored is the top row
  int bits;      // per pixel: 1, 4, 8, 16, 24 or 32
  bmp_encoding encoding;
  // Red, green and blue at 16 and 32 bits: each a non-zero, contiguous
  // run of bits within the pixel, none overlapping. Alpha is ignored.
  std::uint32_t masks[3];
  std::size_t palette_at; // offset of the palette in the file
  int palette_size;       // entries, 0 when there is no palette
  int palette_entry;      // bytes per entry: 3 (BGR) or 4 (BGR and a pad)
  std::size_t pixels_at;  // offset of the pixel data in the file
};

// Reads the headers of the file whose bytes are given. Returns null and
// fills *header when they describe a picture that this program decodes,
// whose palette lies inside the file; otherwise the reason, in the
// program's language (plain-ASCII Spanish). Nothing past the palette is
// read: whether the pixel data is all there is for the decoder to say.
const char *read_bmp_header(const unsigned char *bytes, std::size_t size,
                            bmp_header *header);

#endif
