#include "image/image_file.h"

#include "image/bmp_decode.h"
#include "image/bmp_header.h"
#include "image/image_problems.h"

#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

// No image within the size limit needs a bigger file: the largest is
// 4096 x 4096 pixels of 4 bytes, and 1 MiB leaves room for the headers,
// the palette and what some tools keep between them and the pixels.
static const std::size_t max_file_bytes =
    std::size_t{max_image_side} * max_image_side * 4 + (1u << 20);

// Reads the whole file, up to one byte more than the largest one wanted.
static const char *read_file(const char *path,
                             std::vector<unsigned char> *bytes)
{
  std::FILE *f = std::fopen(path, "rb");
  if (!f)
    return problem_cannot_open;
  std::size_t got = 0;
  while (got <= max_file_bytes) {
    const std::size_t room = got < 65536 ? 65536 : 2 * got;
    bytes->resize(room < max_file_bytes + 1 ? room : max_file_bytes + 1);
    got += std::fread(bytes->data() + got, 1, bytes->size() - got, f);
    if (got < bytes->size())
      break; // the end of the file, or an error
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  bytes->resize(got);
  if (failed)
    return problem_cannot_read;
  return got > max_file_bytes ? problem_file_too_big : nullptr;
}

// Copies the pixels into a bitmap at the current colour depth; makecol
// rounds them to that depth as the library's own conversion does.
static BITMAP *make_bitmap(const bmp_image &image)
{
  BITMAP *bmp = create_bitmap(image.width, image.height);
  if (!bmp)
    return nullptr;
  const std::uint32_t *rgb = image.pixels.data();
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x, ++rgb)
      putpixel(bmp, x, y, makecol(*rgb >> 16, *rgb >> 8 & 0xff, *rgb & 0xff));
  return bmp;
}

static BITMAP *load(const char *path, const char **problem)
{
  bmp_image image;
  {
    std::vector<unsigned char> bytes;
    *problem = read_file(path, &bytes);
    if (!*problem)
      *problem = decode_bmp(bytes.data(), bytes.size(), &image);
  } // the file's bytes are freed before the bitmap is made
  if (*problem)
    return nullptr;
  BITMAP *bmp = make_bitmap(image);
  if (!bmp)
    *problem = problem_no_memory;
  return bmp;
}

BITMAP *load_image_file(const char *path, const char **problem)
{
  const char *why = nullptr;
  BITMAP *bmp = nullptr;
  try {
    bmp = load(path, &why);
  } catch (const std::bad_alloc &) {
    why = problem_no_memory;
  }
  if (!bmp)
    *problem = why;
  return bmp;
}
