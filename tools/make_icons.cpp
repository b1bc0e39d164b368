// Writes the program's icon, a driver's view down a bending road, as
// RGBA PNG files at 48, 64, 128 and 256 pixels square:
//
//   make_icons OUTPUT_DIR      writes OUTPUT_DIR/SIZExSIZE/drive.png
//
// The drawing is resolution-free (a function of the point in the unit
// square) and each pixel averages 4 x 4 samples, so every size is drawn
// afresh rather than scaled. The same bytes on every run.
#include <cmath>
#include <cstdio>
#include <png.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

struct colour {
  double r, g, b; // 0..1
};

colour mix(colour a, colour b, double t)
{
  return colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t,
                a.b + (b.b - a.b) * t};
}

// Scene constants, in units of the icon's side; v grows downwards.
const double horizon = 0.46;
const double corner_radius = 0.16;
const double road_half_width = 1.0; // in road units across
const double bend = 0.35;           // sideways drift per depth squared

const colour sky_top = {0.30, 0.42, 0.86};
const colour sky_horizon = {0.72, 0.80, 1.00};
const colour grass_far = {0.36, 0.56, 0.26};
const colour grass_near = {0.28, 0.50, 0.18};
const colour asphalt = {0.33, 0.33, 0.35};
const colour paint = {0.95, 0.95, 0.90};

bool inside_rounded_square(double u, double v)
{
  const double r = corner_radius;
  const double dx = u < r ? r - u : u > 1 - r ? u - (1 - r) : 0;
  const double dy = v < r ? r - v : v > 1 - r ? v - (1 - r) : 0;
  return dx * dx + dy * dy <= r * r;
}

// Below the horizon: depth grows towards it; x is the position across
// the road, the road bending to the left with depth.
colour ground(double u, double v)
{
  const double below = v - horizon;
  const double depth = 0.18 / below; // 0.33 at the bottom edge
  const double x = (u - 0.5) / below * 1.35 + bend * depth * depth;
  const double across = std::fabs(x);
  const double fade = std::exp(-depth * 0.35); // haze towards the horizon
  if (across > road_half_width) {
    const bool stripe = std::fmod(depth * 1.1, 1.0) < 0.5; // mown grass
    return mix(grass_far, stripe ? grass_near : grass_far, fade);
  }
  const bool edge = across > 0.80 && across < 0.90;
  const bool dash = across < 0.06 && std::fmod(depth * 2.2, 1.0) < 0.5;
  const colour surface = (edge || dash) ? paint : asphalt;
  return mix(mix(asphalt, sky_horizon, 0.35), surface, fade);
}

colour sky(double v)
{
  return mix(sky_top, sky_horizon, v / horizon);
}

// Colour and coverage of one pixel from 4 x 4 samples.
void shade_pixel(int px, int py, int size, unsigned char *out)
{
  const int n = 4;
  colour sum = {0, 0, 0};
  int covered = 0;
  for (int sy = 0; sy < n; ++sy) {
    for (int sx = 0; sx < n; ++sx) {
      const double u = (px + (sx + 0.5) / n) / size;
      const double v = (py + (sy + 0.5) / n) / size;
      if (!inside_rounded_square(u, v))
        continue;
      const colour c = v < horizon ? sky(v) : ground(u, v);
      sum = colour{sum.r + c.r, sum.g + c.g, sum.b + c.b};
      ++covered;
    }
  }
  const double k = covered ? 255.0 / covered : 0;
  out[0] = static_cast<unsigned char>(std::lround(sum.r * k));
  out[1] = static_cast<unsigned char>(std::lround(sum.g * k));
  out[2] = static_cast<unsigned char>(std::lround(sum.b * k));
  out[3] = static_cast<unsigned char>(std::lround(covered * 255.0 / (n * n)));
}

std::vector<unsigned char> draw_icon(int size)
{
  std::vector<unsigned char> rgba(4 * size * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      shade_pixel(x, y, size, &rgba[4 * (y * size + x)]);
  return rgba;
}

// libpng's simplified writer: 8-bit RGBA, no time stamp or text, so
// the file depends on the pixels alone.
bool write_png(const std::string &path, int size,
               const std::vector<unsigned char> &rgba)
{
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = size;
  image.height = size;
  image.format = PNG_FORMAT_RGBA;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(),
                                         4 * size, nullptr);
  png_image_free(&image);
  return ok != 0;
}

} // namespace

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  for (int size : {48, 64, 128, 256}) {
    const std::string dir = std::string(argv[1]) + "/" + std::to_string(size) +
                            "x" + std::to_string(size);
    mkdir(dir.c_str(), 0755); // an existing folder is fine
    const std::string path = dir + "/drive.png";
    if (!write_png(path, size, draw_icon(size))) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
