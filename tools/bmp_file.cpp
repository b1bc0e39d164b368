#include "tools/bmp_file.h"

#include <cstdio>
#include <vector>

// Appends v as the given number of little-endian bytes.
static void put(std::vector<unsigned char> &out, unsigned v, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// The 54-byte file and info headers, then bottom-up BGR rows padded to
// four bytes.
static std::vector<unsigned char>
encode(int width, int height, const std::function<unsigned(int, int)> &colour)
{
  const unsigned row = (width * 3 + 3) / 4 * 4;
  const unsigned data = row * height;
  std::vector<unsigned char> out = {'B', 'M'};
  put(out, 54 + data, 4);
  put(out, 0, 4);
  put(out, 54, 4); // offset of the pixels
  put(out, 40, 4); // info header size
  put(out, width, 4);
  put(out, height, 4);
  put(out, 1, 2);  // planes
  put(out, 24, 2); // bits per pixel
  put(out, 0, 4);  // uncompressed
  put(out, data, 4);
  put(out, 2835, 4); // 72 dpi
  put(out, 2835, 4);
  put(out, 0, 4);
  put(out, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      put(out, colour(x, y), 3); // 0xRRGGBB little-endian is B, G, R
    for (unsigned pad = width * 3; pad < row; ++pad)
      out.push_back(0);
  }
  return out;
}

bool write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour)
{
  const std::vector<unsigned char> bytes = encode(width, height, colour);
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
