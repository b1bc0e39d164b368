// libFuzzer target for the image loader: each input is written to an
// in-memory file and loaded through load_image_file, path and all, at the
// colour depth the program asks for. Built by the fuzz preset with
// AddressSanitizer and UndefinedBehaviorSanitizer.
#include "image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

static char path[64];
static int fd = -1;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
    std::abort();
  set_color_depth(16);
  fd = memfd_create("image", 0);
  if (fd < 0)
    std::abort();
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data,
                                      std::size_t size)
{
  if (ftruncate(fd, 0) != 0 ||
      pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
    std::abort();
  const char *problem = nullptr;
  BITMAP *bmp = load_image_file(path, &problem);
  if (bmp)
    destroy_bitmap(bmp);
  else if (!problem)
    std::abort(); // a refusal always says why
  return 0;
}
