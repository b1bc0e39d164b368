#include "web/mipmaps.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace
{

// Resamples along one axis: along x (to new_len columns) or along y (to
// new_len rows), each new sample the area-weighted mean of the old ones.
rgb_image resample_axis(const rgb_image &in, int new_len, bool along_x)
{
  const int old_len = along_x ? in.w : in.h;
  rgb_image out{along_x ? new_len : in.w, along_x ? in.h : new_len, {}};
  out.bytes.resize(static_cast<std::size_t>(out.w) * out.h * 3);
  const int lines = along_x ? in.h : in.w;
  // Bytes between neighbours along the axis and between lines.
  const std::size_t in_step = along_x ? 3 : static_cast<std::size_t>(in.w) * 3;
  const std::size_t out_step =
      along_x ? 3 : static_cast<std::size_t>(out.w) * 3;
  const std::size_t in_line = along_x ? static_cast<std::size_t>(in.w) * 3 : 3;
  const std::size_t out_line =
      along_x ? static_cast<std::size_t>(out.w) * 3 : 3;
  const double scale = static_cast<double>(old_len) / new_len;
  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < new_len; ++i) {
      const double start = i * scale;
      const double end = (i + 1) * scale;
      double sum[3] = {0, 0, 0};
      const int last = std::min(old_len, static_cast<int>(std::ceil(end)));
      for (int j = static_cast<int>(start); j < last; ++j) {
        const double weight = std::min(end, j + 1.0) - std::max(start, 1.0 * j);
        const unsigned char *p = &in.bytes[line * in_line + j * in_step];
        for (int c = 0; c < 3; ++c)
          sum[c] += weight * p[c];
      }
      unsigned char *q = &out.bytes[line * out_line + i * out_step];
      for (int c = 0; c < 3; ++c)
        q[c] = static_cast<unsigned char>(
            std::min(255.0, std::floor(sum[c] / scale + 0.5)));
    }
  }
  return out;
}

} // namespace

int nearest_power_of_two(int side, int max_side)
{
  // Rounds at 1.5 times a power of two, upwards: 3 -> 4, 6 -> 8, 5 -> 4.
  int power = 1;
  while (power * 2 <= side)
    power *= 2;
  if (side >= power + power / 2 && power > 1)
    power *= 2;
  return std::min(power, max_side);
}

rgb_image scale_image(const rgb_image &image, int w, int h)
{
  if (image.w == w && image.h == h)
    return image;
  return resample_axis(resample_axis(image, w, true), h, false);
}

rgb_image halve_image(const rgb_image &image)
{
  const int w = std::max(1, image.w / 2);
  const int h = std::max(1, image.h / 2);
  // Pixels averaged across and down: 2 each way, or 1 on a side of 1.
  const int dx = image.w > 1 ? 1 : 0;
  const int dy = image.h > 1 ? 1 : 0;
  rgb_image out{w, h, {}};
  out.bytes.resize(static_cast<std::size_t>(w) * h * 3);
  const std::size_t row = static_cast<std::size_t>(image.w) * 3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) {
        const std::size_t at = (2 * y * dy) * row + (2 * x * dx) * 3 + c;
        const int sum = image.bytes[at] + image.bytes[at + dx * 3] +
                        image.bytes[at + dy * row] +
                        image.bytes[at + dy * row + dx * 3];
        // On a side of 1 each pixel is counted twice: (a + b + 1) / 2.
        out.bytes[(static_cast<std::size_t>(y) * w + x) * 3 + c] =
            static_cast<unsigned char>((sum + 2) / 4);
      }
  return out;
}
