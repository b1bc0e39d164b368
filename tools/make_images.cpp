// Writes the two images the program reads, lep.bmp (road surface) and
// emblem.bmp (roadside), procedurally and deterministically, as 24-bit
// uncompressed BMP files: the same bytes on every run and machine.
//
//   make_images OUTPUT_DIR
//
// Mapping in the scene: image columns (texture s) run along the road, one
// copy of each image per 500 m segment; image rows (texture t) run
// across, the bottom row at the edge with the smaller scene x. On the end
// walls the roadside image spans 46 m across and 2 m up.
#include "tools/bmp_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

struct rgb {
  int r, g, b;
};

struct image {
  int width, height;
  std::vector<rgb> pixels; // row 0 is the bottom row

  image(int w, int h) : width(w), height(h), pixels(w * h, rgb{0, 0, 0})
  {
  }
  rgb &at(int x, int y)
  {
    return pixels[y * width + x];
  }
};

// A small integer hash: repeatable noise without a library generator.
std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h;
}

// Noise in [-amplitude, amplitude].
int noise(int x, int y, std::uint32_t seed, int amplitude)
{
  const int span = 2 * amplitude + 1;
  return static_cast<int>(hash(x, y, seed) % span) - amplitude;
}

int clamp_byte(int v)
{
  return v < 0 ? 0 : v > 255 ? 255 : v;
}

rgb shade(rgb c, int delta)
{
  return rgb{c.r + delta, c.g + delta, c.b + delta};
}

// Road: 512 columns for 500 m (about 1 m each), 128 rows for 40 m
// (0.31 m each). Asphalt with grain, a solid edge line near each edge and
// a dashed centre line of 8 m dashes every 16 m, which pass by visibly at
// speed. 512 is a whole number of dash periods, so segments join.
image make_road()
{
  image img(512, 128);
  const rgb asphalt = {78, 78, 82};
  const rgb paint = {232, 232, 224};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      // Darker wheel tracks in the middle of each half of the road.
      const int across = y < 64 ? y : 127 - y;
      const int track = (across > 22 && across < 42) ? -6 : 0;
      rgb c = shade(asphalt, track + noise(x, y, 1, 10));
      const bool edge_line = (y >= 4 && y <= 5) || (y >= 122 && y <= 123);
      const bool centre_dash = (y == 63 || y == 64) && (x % 16) < 8;
      if (edge_line || centre_dash)
        c = shade(paint, noise(x, y, 2, 6));
      img.at(x, y) = c;
    }
  }
  return img;
}

// Roadside: grass, 256 columns by 64 rows, in mown stripes of 16 columns
// (about 31 m along a bank, 2.9 m across a wall) with scattered flowers.
// Alike at top and bottom, so it reads the same on both banks, whose t
// runs up one and down the other.
image make_roadside()
{
  image img(256, 64);
  const rgb light = {92, 150, 62};
  const rgb dark = {70, 124, 48};
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const rgb base = (x / 16) % 2 ? dark : light;
      rgb c = shade(base, noise(x, y, 3, 14));
      const std::uint32_t h = hash(x, y, 4) % 97;
      if (h == 0)
        c = rgb{236, 214, 70}; // yellow flower
      else if (h == 1)
        c = rgb{240, 240, 236}; // white flower
      img.at(x, y) = c;
    }
  }
  return img;
}

// The image as the BMP writer wants it: 0xRRGGBB, channels clamped.
bool save(const std::string &path, image &img)
{
  return write_bmp(path, img.width, img.height, [&img](int x, int y) {
    const rgb c = img.at(x, y);
    return static_cast<unsigned>(clamp_byte(c.r) << 16 | clamp_byte(c.g) << 8 |
                                 clamp_byte(c.b));
  });
}

} // namespace

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  image road = make_road();
  image roadside = make_roadside();
  if (!save(dir + "/lep.bmp", road) || !save(dir + "/emblem.bmp", roadside)) {
    std::perror("make_images");
    return 1;
  }
  return 0;
}
