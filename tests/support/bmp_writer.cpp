#include "tests/support/bmp_writer.h"

#include <fstream>
#include <vector>

static void put(std::vector<unsigned char> &out, unsigned v, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void write_bmp(const std::string &path, int width, int height,
               const std::function<unsigned(int, int)> &colour)
{
  const unsigned row = (width * 3 + 3) / 4 * 4;
  const unsigned data = row * height;
  std::vector<unsigned char> b = {'B', 'M'};
  put(b, 54 + data, 4);
  put(b, 0, 4);
  put(b, 54, 4);
  put(b, 40, 4);
  put(b, width, 4);
  put(b, height, 4);
  put(b, 1, 2);
  put(b, 24, 2);
  for (int i = 0; i < 6; ++i)
    put(b, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      put(b, colour(x, y), 3); // little-endian 0xRRGGBB is B, G, R
    for (unsigned pad = width * 3; pad < row; ++pad)
      b.push_back(0);
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(b.data()), b.size());
}
