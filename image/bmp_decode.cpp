#include "image/bmp_decode.h"

#include "image/bmp_header.h"
#include "image/bmp_rle.h"
#include "image/image_problems.h"

namespace
{

struct palette {
  std::uint32_t colours[256]; // 0xRRGGBB
  int size;
};

// Entries are stored blue, green, red, then a pad byte unless they are
// 3 bytes long.
palette read_palette(const unsigned char *bytes, const bmp_header &header)
{
  palette p{};
  p.size = header.palette_size;
  const unsigned char *e = bytes + header.palette_at;
  for (int i = 0; i < p.size; ++i, e += header.palette_entry)
    p.colours[i] = static_cast<std::uint32_t>(e[2] << 16 | e[1] << 8 | e[0]);
  return p;
}

// Where a colour lies in a 16- or 32-bit pixel.
struct channel {
  int shift; // position of the lowest bit
  int bits;  // width, 1 to 32
};

channel channel_of(std::uint32_t mask) // mask: non-zero and contiguous
{
  channel c{0, 0};
  while (!(mask >> c.shift & 1))
    ++c.shift;
  while (c.shift + c.bits < 32 && mask >> (c.shift + c.bits) & 1)
    ++c.bits;
  return c;
}

// A colour of n bits widened to 8 by repeating its bits, as other image
// tools do: 5-bit 31 gives 255, 16 gives 132. Colours wider than 8 bits
// keep their top 8.
std::uint32_t widen(std::uint32_t value, int n)
{
  if (n >= 8)
    return value >> (n - 8) & 0xff;
  std::uint32_t repeated = 0;
  int filled = 0;
  for (; filled < 8; filled += n)
    repeated = repeated << n | value;
  return repeated >> (filled - 8);
}

std::uint32_t unpack(std::uint32_t v, const channel c[3])
{
  std::uint32_t rgb = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint64_t all = (std::uint64_t{1} << c[i].bits) - 1;
    const auto value = static_cast<std::uint32_t>(v >> c[i].shift & all);
    rgb = rgb << 8 | widen(value, c[i].bits);
  }
  return rgb;
}

// The palette index of pixel x of a packed row at 1, 4 or 8 bits; the
// leftmost pixel is in the highest bits of a byte.
int index_at(const unsigned char *row, int x, int bits)
{
  const int per_byte = 8 / bits;
  const int shift = (per_byte - 1 - x % per_byte) * bits;
  return row[x / per_byte] >> shift & ((1 << bits) - 1);
}

struct row_decoder {
  const bmp_header &header;
  palette colours;
  channel channels[3];

  const char *decode(const unsigned char *row, std::uint32_t *out) const
  {
    const int bits = header.bits;
    for (int x = 0; x < header.width; ++x) {
      if (bits <= 8) {
        const int index = index_at(row, x, bits);
        if (index >= colours.size)
          return problem_off_palette;
        out[x] = colours.colours[index];
      } else if (bits == 24) {
        const unsigned char *p = row + 3 * x;
        out[x] = static_cast<std::uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);
      } else {
        const unsigned char *p = row + bits / 8 * x;
        std::uint32_t v = p[0] | p[1] << 8;
        if (bits == 32)
          v |= static_cast<std::uint32_t>(p[2] << 16) |
               static_cast<std::uint32_t>(p[3]) << 24;
        out[x] = unpack(v, channels);
      }
    }
    return nullptr;
  }
};

// Rows padded to a multiple of 4 bytes, bottom row first unless the
// image is top-down.
const char *decode_rows(const unsigned char *bytes, std::size_t size,
                        const row_decoder &rows, bmp_image *image)
{
  const bmp_header &h = rows.header;
  const std::size_t stride =
      (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
  const std::size_t need = stride * static_cast<std::size_t>(h.height);
  if (h.pixels_at > size || size - h.pixels_at < need)
    return problem_incomplete;
  image->pixels.assign(static_cast<std::size_t>(h.width) * h.height, 0);
  for (int r = 0; r < h.height; ++r) {
    const int y = h.top_down ? r : h.height - 1 - r;
    const unsigned char *row = bytes + h.pixels_at + r * stride;
    const char *problem = rows.decode(row, &image->pixels[y * h.width]);
    if (problem)
      return problem;
  }
  return nullptr;
}

const char *decode_rle(const unsigned char *bytes, std::size_t size,
                       const row_decoder &rows, bmp_image *image)
{
  const bmp_header &h = rows.header;
  if (h.pixels_at > size)
    return problem_incomplete;
  const std::size_t count = static_cast<std::size_t>(h.width) * h.height;
  std::vector<unsigned char> indices(count, 0);
  const char *problem =
      expand_rle(bytes + h.pixels_at, size - h.pixels_at, h, indices.data());
  if (problem)
    return problem;
  image->pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (indices[i] >= rows.colours.size)
      return problem_off_palette;
    image->pixels[i] = rows.colours.colours[indices[i]];
  }
  return nullptr;
}

} // namespace

const char *decode_bmp(const unsigned char *bytes, std::size_t size,
                       bmp_image *image)
{
  bmp_header header;
  const char *problem = read_bmp_header(bytes, size, &header);
  if (problem)
    return problem;
  row_decoder rows{header, read_palette(bytes, header), {}};
  if (header.bits == 16 || header.bits == 32)
    for (int i = 0; i < 3; ++i)
      rows.channels[i] = channel_of(header.masks[i]);
  image->width = header.width;
  image->height = header.height;
  const bool coded = header.encoding == bmp_rle8 || header.encoding == bmp_rle4;
  return coded ? decode_rle(bytes, size, rows, image)
               : decode_rows(bytes, size, rows, image);
}
