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

namespace
{

struct rgb {
  int r, g, b;
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

// c lightened by delta in each channel, as 0xRRGGBB.
unsigned shade(rgb c, int delta)
{
  return static_cast<unsigned>(clamp_byte(c.r + delta) << 16 |
                               clamp_byte(c.g + delta) << 8 |
                               clamp_byte(c.b + delta));
}

// Road: 512 columns for 500 m (about 1 m each), 128 rows for 40 m
// (0.31 m each). Asphalt with grain, a solid edge line near each edge and
// a dashed centre line of 8 m dashes every 16 m, which pass by visibly at
// speed. 512 is a whole number of dash periods, so segments join.
unsigned road(int x, int y)
{
  const rgb asphalt = {78, 78, 82};
  const rgb paint = {232, 232, 224};
  const bool edge_line = (y >= 4 && y <= 5) || (y >= 122 && y <= 123);
  const bool centre_dash = (y == 63 || y == 64) && (x % 16) < 8;
  if (edge_line || centre_dash)
    return shade(paint, noise(x, y, 2, 6));
  // Darker wheel tracks in the middle of each half of the road.
  const int across = y < 64 ? y : 127 - y;
  const int track = (across > 22 && across < 42) ? -6 : 0;
  return shade(asphalt, track + noise(x, y, 1, 10));
}

// Roadside: grass, 256 columns by 64 rows, in mown stripes of 16 columns
// (about 31 m along a bank, 2.9 m across a wall) with scattered flowers.
// Alike at top and bottom, so it reads the same on both banks, whose t
// runs up one and down the other.
unsigned roadside(int x, int y)
{
  const rgb light = {92, 150, 62};
  const rgb dark = {70, 124, 48};
  const std::uint32_t h = hash(x, y, 4) % 97;
  if (h == 0)
    return shade({236, 214, 70}, 0); // yellow flower
  if (h == 1)
    return shade({240, 240, 236}, 0); // white flower
  return shade((x / 16) % 2 ? dark : light, noise(x, y, 3, 14));
}

} // namespace

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  if (!write_bmp(dir + "/lep.bmp", 512, 128, road) ||
      !write_bmp(dir + "/emblem.bmp", 256, 64, roadside)) {
    std::perror("make_images");
    return 1;
  }
  return 0;
}
