#include "image/bmp_rle.h"

#include "image/image_problems.h"

#include <algorithm>

namespace
{

// Where the next pixel goes: column x of the row'th row stored. Some
// tools code whole stored rows, padding included, so a run may go on into
// the padding up to row_length; nothing is kept of it. x may reach
// row_length and row the height, but nothing is written there.
struct rle_cursor {
  const bmp_header &header;
  unsigned char *indices;
  int row_length; // pixels in a stored row, padded to 4 bytes
  int x, row;

  // Room for n more pixels in the current row.
  bool fits(int n) const
  {
    return row < header.height && n <= row_length - x;
  }

  // Moves past n pixels and returns how many of them, from *out on, lie
  // in the image rather than in the row's padding.
  int advance(int n, unsigned char **out)
  {
    const int y = header.top_down ? row : header.height - 1 - row;
    const int shown = x < header.width ? std::min(n, header.width - x) : 0;
    *out =
        indices + static_cast<std::size_t>(y) * header.width + (shown ? x : 0);
    x += n;
    return shown;
  }
};

// Index k of literal pixels: RLE8 gives one per byte, RLE4 two, the high
// nibble first.
unsigned char nth_index(const unsigned char *bytes, int k, bool four_bits)
{
  if (!four_bits)
    return bytes[k];
  const unsigned char b = bytes[k / 2];
  return k % 2 ? b & 0x0f : b >> 4;
}

} // namespace

// The stream is pairs of bytes. A first byte n > 0 is a run: n pixels
// alternating between the index (RLE8) or the two nibbles (RLE4) of the
// second byte. A first byte 0 is an escape: 0 ends the row, 1 ends the
// bitmap, 2 moves right and up (down the stored rows) by the next two
// bytes, and n >= 3 gives n literal pixels, padded to a 16-bit boundary.
const char *expand_rle(const unsigned char *data, std::size_t size,
                       const bmp_header &header, unsigned char *indices)
{
  const bool four = header.encoding == bmp_rle4;
  const int per_word = four ? 8 : 4; // pixels per 32-bit word
  const int row_length = (header.width + per_word - 1) / per_word * per_word;
  rle_cursor at{header, indices, row_length, 0, 0};
  std::size_t i = 0;
  while (size - i >= 2) {
    const int first = data[i], second = data[i + 1];
    i += 2;
    if (first > 0) {
      if (!at.fits(first))
        return problem_rle_overrun;
      // RLE4 runs alternate between the two nibbles, the high one first.
      const int even = four ? second >> 4 : second;
      const int odd = four ? second & 0x0f : second;
      unsigned char *out;
      const int shown = at.advance(first, &out);
      for (int k = 0; k < shown; ++k)
        out[k] = static_cast<unsigned char>(k % 2 ? odd : even);
    } else if (second == 0) { // end of line
      if (at.row >= header.height)
        return problem_rle_overrun;
      at.x = 0;
      ++at.row;
    } else if (second == 1) { // end of bitmap
      return nullptr;
    } else if (second == 2) { // move
      if (size - i < 2)
        return problem_incomplete;
      at.x += data[i];
      at.row += data[i + 1];
      i += 2;
      if (at.x > row_length || at.row > header.height)
        return problem_rle_overrun;
    } else { // literal pixels
      std::size_t bytes = four ? (second + 1) / 2 : second;
      bytes += bytes % 2;
      if (size - i < bytes)
        return problem_incomplete;
      if (!at.fits(second))
        return problem_rle_overrun;
      unsigned char *out;
      const int shown = at.advance(second, &out);
      for (int k = 0; k < shown; ++k)
        out[k] = nth_index(data + i, k, four);
      i += bytes;
    }
  }
  return problem_incomplete; // no end of bitmap
}
