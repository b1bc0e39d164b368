#include "tools/bmp_file.h"

#include "tools/file_writer.h"

static void put(bytes &out, std::size_t at, std::uint32_t v, int count)
{
  for (int i = 0; i < count; ++i)
    out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// The info header; fields past its size are left out.
static bytes info_header(const bmp_fields &s)
{
  bytes h(124 + 16, 0);
  put(h, 0, s.header_size, 4);
  if (s.header_size == 12) {
    put(h, 4, s.width, 2);
    put(h, 6, s.height, 2);
    put(h, 8, s.planes, 2);
    put(h, 10, s.bits, 2);
  } else {
    put(h, 4, s.width, 4);
    put(h, 8, s.height, 4);
    put(h, 12, s.planes, 2);
    put(h, 14, s.bits, 2);
    put(h, 16, s.compression, 4);
    put(h, 20, s.image_size, 4);
    put(h, 24, s.resolution, 4);
    put(h, 28, s.resolution, 4);
    put(h, 32, s.colours_used, 4);
  }
  for (std::size_t i = 0; i < s.masks.size(); ++i)
    put(h, 40 + 4 * i, s.masks[i], 4);
  std::size_t size = s.header_size;
  if (s.header_size == 40)
    size += 4 * s.masks.size();
  h.resize(size);
  return h;
}

bytes bmp_bytes(const bmp_fields &s)
{
  bytes out(14, 0);
  out[0] = 'B';
  out[1] = 'M';
  const bytes info = info_header(s);
  out.insert(out.end(), info.begin(), info.end());
  for (std::uint32_t colour : s.palette) {
    const int entry = s.header_size == 12 ? 3 : 4;
    out.resize(out.size() + entry, 0);
    put(out, out.size() - entry, colour, 3); // blue, green, red
  }
  out.resize(out.size() + s.gap, 0x5a);
  put(out, 10, static_cast<std::uint32_t>(out.size()), 4);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  put(out, 2, static_cast<std::uint32_t>(out.size()), 4);
  return out;
}

bytes packed_rows(int bits, const std::vector<std::vector<std::uint32_t>> &rows)
{
  bytes out;
  for (const auto &row : rows) {
    const std::size_t stride = (row.size() * bits + 31) / 32 * 4;
    bytes packed(stride, 0);
    for (std::size_t x = 0; x < row.size(); ++x) {
      if (bits >= 8) {
        put(packed, x * bits / 8, row[x], bits / 8);
      } else {
        const std::size_t bit = x * bits; // from the top of the row
        packed[bit / 8] |= row[x] << (8 - bits - bit % 8);
      }
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

bool write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour)
{
  std::vector<std::vector<std::uint32_t>> rows(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rows[y].push_back(colour(x, y));
  bmp_fields f;
  f.width = width;
  f.height = height;
  f.pixels = packed_rows(24, rows);
  f.image_size = static_cast<std::uint32_t>(f.pixels.size());
  f.resolution = 2835; // 72 dpi
  return write_file(path, bmp_bytes(f));
}
