#include "render/bmp_check.h"

#include <cstdint>
#include <cstdio>

// Little-endian fields of the headers.
static std::uint32_t u16(const unsigned char *p)
{
  return static_cast<std::uint32_t>(p[0] | p[1] << 8);
}

static std::uint32_t u32(const unsigned char *p)
{
  return u16(p) | u16(p + 2) << 16;
}

// Size in bytes of an open file, or -1.
static long long file_size(std::FILE *f)
{
  if (std::fseek(f, 0, SEEK_END) != 0)
    return -1;
  return std::ftell(f);
}

// Bytes of pixel data that the headers declare, or -1 when they make no
// sense. Uncompressed rows are padded to 4 bytes; compressed data (RLE)
// declares its own size.
static long long declared_pixel_bytes(const unsigned char *h)
{
  const std::uint32_t info_size = u32(h + 14);
  long long width, height;
  std::uint32_t bits, compression = 0, image_size = 0;
  if (info_size == 12) { // OS/2 core header
    width = u16(h + 18);
    height = u16(h + 20);
    bits = u16(h + 24);
  } else if (info_size >= 40) {
    width = static_cast<std::int32_t>(u32(h + 18));
    height = static_cast<std::int32_t>(u32(h + 22));
    bits = u16(h + 28);
    compression = u32(h + 30);
    image_size = u32(h + 34);
  } else {
    return -1;
  }
  if (height < 0)
    height = -height; // top-down rows
  const bool known_depth = bits == 1 || bits == 4 || bits == 8 || bits == 16 ||
                           bits == 24 || bits == 32;
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536 ||
      !known_depth)
    return -1;
  if (compression == 1 || compression == 2) // RLE8, RLE4
    return image_size > 0 ? image_size : 1;
  const long long row = (width * bits + 31) / 32 * 4;
  return row * height;
}

const char *bmp_file_problem(const char *path)
{
  std::FILE *f = std::fopen(path, "rb");
  if (!f)
    return "no se puede abrir el archivo";
  unsigned char h[54] = {};
  const std::size_t got = std::fread(h, 1, sizeof h, f);
  const long long size = file_size(f);
  std::fclose(f);
  if (got < 2 || h[0] != 'B' || h[1] != 'M')
    return "el archivo no es una imagen BMP";
  const std::size_t header_end = got < 18 ? 0 : u32(h + 14) == 12 ? 26 : 54;
  if (header_end == 0 || got < header_end)
    return "el archivo esta incompleto";
  const long long pixels = declared_pixel_bytes(h);
  if (pixels < 0)
    return "la cabecera de la imagen no es valida";
  const long long offset = u32(h + 10);
  if (size < 0 || offset + pixels > size)
    return "el archivo esta incompleto";
  return nullptr;
}
