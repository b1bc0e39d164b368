// Loads image files through the program's loader at 32 bits per pixel
// and says how each went, one line a file:
//   load_images FILE...         FILE: loaded WIDTHxHEIGHT, or FILE: reason
//   load_images -o OUT.ppm FILE writes the pixels as a binary PPM too
// A refusal is an answer, not a failure: the status is 0 unless a file
// could not be written, so that any crash shows as a signal.
#include "image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool write_ppm(BITMAP *bmp, const char *path)
{
  std::FILE *out = std::fopen(path, "wb");
  if (!out)
    return false;
  std::fprintf(out, "P6\n%d %d\n255\n", bmp->w, bmp->h);
  for (int y = 0; y < bmp->h; ++y)
    for (int x = 0; x < bmp->w; ++x) {
      const int c = getpixel(bmp, x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(getr(c)),
                                    static_cast<unsigned char>(getg(c)),
                                    static_cast<unsigned char>(getb(c))};
      std::fwrite(rgb, 1, 3, out);
    }
  return std::fclose(out) == 0;
}

int main(int argc, char **argv)
{
  const char *ppm = nullptr;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "-o") == 0) {
    ppm = argv[2];
    first = 3;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
    return 2;
  set_color_depth(32);
  int status = 0;
  for (int i = first; i < argc; ++i) {
    const char *problem = nullptr;
    BITMAP *bmp = load_image_file(argv[i], &problem);
    if (!bmp) {
      std::printf("%s: %s\n", argv[i], problem);
      continue;
    }
    std::printf("%s: loaded %dx%d\n", argv[i], bmp->w, bmp->h);
    if (ppm && !write_ppm(bmp, ppm))
      status = 1;
    destroy_bitmap(bmp);
  }
  return status;
}
