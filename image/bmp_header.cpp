#include "image/bmp_header.h"

#include "image/image_problems.h"

// Layout of the start of every BMP file:
//   0  "BM"
//   2  file size (not trusted, not used)
//   6  two reserved 16-bit fields
//  10  offset of the pixel data
//  14  the info header, whose first 32-bit field is its own size.
// Info headers by size: 12, the OS/2 1.x core header (16-bit width and
// height, 3-byte palette entries); 40, 52, 56, 108 and 124, Windows'
// own, which add colour masks and colour-space data to the 40-byte one;
// any other size from 16 to 64, the OS/2 2.x header, which shares the
// 40-byte layout as far as it goes and leaves the rest zero.
static const std::size_t file_header_size = 14;

static std::uint32_t u16(const unsigned char *p)
{
  return static_cast<std::uint32_t>(p[0] | p[1] << 8);
}

static std::uint32_t u32(const unsigned char *p)
{
  return u16(p) | u16(p + 2) << 16;
}

static bool windows_header(std::uint32_t size)
{
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// The fields read from the info header, before they are checked.
struct info_fields {
  std::uint32_t size;
  long long width, height; // signed in all but the core header
  std::uint32_t planes, bits, compression, colours_used;
};

static const char *read_info(const unsigned char *bytes, std::size_t size,
                             info_fields *info)
{
  if (size < file_header_size + 4)
    return problem_incomplete;
  const unsigned char *h = bytes + file_header_size;
  info->size = u32(h);
  const bool core = info->size == 12;
  if (!core && !windows_header(info->size) &&
      !(info->size >= 16 && info->size <= 64))
    return problem_bad_header;
  if (size - file_header_size < info->size)
    return problem_incomplete;
  if (core) {
    info->width = u16(h + 4);
    info->height = u16(h + 6);
    info->planes = u16(h + 8);
    info->bits = u16(h + 10);
  } else {
    info->width = static_cast<std::int32_t>(u32(h + 4));
    info->height = static_cast<std::int32_t>(u32(h + 8));
    info->planes = u16(h + 12);
    info->bits = u16(h + 14);
  }
  // Fields past a short OS/2 2.x header are zero: no compression, and
  // the full palette.
  info->compression = info->size >= 20 ? u32(h + 16) : 0;
  info->colours_used = info->size >= 36 ? u32(h + 32) : 0;
  return nullptr;
}

static const char *check_size(const info_fields &info, bmp_header *header)
{
  if (info.width <= 0 || info.height == 0)
    return problem_bad_size;
  const long long rows = info.height < 0 ? -info.height : info.height;
  if (info.width > max_image_side || rows > max_image_side)
    return problem_too_big;
  header->width = static_cast<int>(info.width);
  header->height = static_cast<int>(rows);
  header->top_down = info.height < 0;
  return nullptr;
}

static const char *check_depth(const info_fields &info, bmp_header *header)
{
  if (info.planes != 1)
    return problem_bad_header;
  const std::uint32_t b = info.bits;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
    return problem_bad_depth;
  header->bits = static_cast<int>(b);
  return nullptr;
}

// Compression codes: 0 none, 1 RLE8, 2 RLE4, 3 bit fields (Windows) or
// Huffman 1D (OS/2), 4 JPEG or RLE24, 5 PNG, 6 bit fields with alpha.
static const char *check_encoding(const info_fields &info, bmp_header *header)
{
  const int bits = header->bits;
  switch (info.compression) {
  case 0:
    header->encoding = bmp_plain;
    return nullptr;
  case 1:
    header->encoding = bmp_rle8;
    return bits == 8 ? nullptr : problem_bad_compression;
  case 2:
    header->encoding = bmp_rle4;
    return bits == 4 ? nullptr : problem_bad_compression;
  case 3:
  case 6:
    header->encoding = bmp_bitfields;
    return windows_header(info.size) && (bits == 16 || bits == 32)
               ? nullptr
               : problem_bad_compression;
  default:
    return problem_bad_compression;
  }
}

// A mask is valid when it is one unbroken run of set bits.
static bool contiguous(std::uint32_t mask)
{
  if (mask == 0)
    return false;
  while (!(mask & 1))
    mask >>= 1;
  return (mask & (mask + 1)) == 0;
}

// The three colour masks must be unbroken runs of bits inside the pixel
// that do not overlap.
static const char *check_masks(const bmp_header *header)
{
  const std::uint32_t *m = header->masks;
  for (int i = 0; i < 3; ++i)
    if (!contiguous(m[i]))
      return problem_bad_masks;
  const std::uint32_t all = m[0] | m[1] | m[2];
  const bool overlap = (m[0] & m[1]) | (m[1] & m[2]) | (m[0] & m[2]);
  const bool fits = header->bits == 32 || all >> header->bits == 0;
  return fits && !overlap ? nullptr : problem_bad_masks;
}

// The colour masks at 16 and 32 bits, and where the palette would start.
// The 40-byte header keeps its masks in the 12 (or, with alpha, 16) bytes
// after it; the bigger ones hold them at the same place in the header.
static const char *read_masks(const unsigned char *bytes, std::size_t size,
                              const info_fields &info, bmp_header *header)
{
  std::size_t end = file_header_size + info.size;
  std::uint32_t *m = header->masks;
  if (header->encoding == bmp_bitfields) {
    if (info.size == 40)
      end += info.compression == 6 ? 16 : 12;
    if (size < end)
      return problem_incomplete;
    for (int i = 0; i < 3; ++i)
      m[i] = u32(bytes + file_header_size + 40 + 4 * i);
  } else if (header->bits == 16) { // 5-5-5
    m[0] = 0x7c00;
    m[1] = 0x03e0;
    m[2] = 0x001f;
  } else { // 8-8-8, the top byte unused
    m[0] = 0xff0000;
    m[1] = 0x00ff00;
    m[2] = 0x0000ff;
  }
  header->palette_at = end;
  return header->bits == 16 || header->bits == 32 ? check_masks(header)
                                                  : nullptr;
}

// The palette lies between the headers and the pixel data. Its length is
// the colour count (0 meaning all 2^bits colours), as far as the space
// before the pixels allows: entries that are not there are not used.
static void find_palette(const info_fields &info, bmp_header *header)
{
  header->palette_entry = info.size == 12 ? 3 : 4;
  header->palette_size = 0;
  if (header->bits > 8)
    return;
  const std::uint32_t full = 1u << header->bits;
  const std::uint32_t declared =
      info.colours_used == 0 || info.colours_used > full ? full
                                                         : info.colours_used;
  const std::size_t room = (header->pixels_at - header->palette_at) /
                           static_cast<std::size_t>(header->palette_entry);
  header->palette_size = static_cast<int>(declared < room ? declared : room);
}

const char *read_bmp_header(const unsigned char *bytes, std::size_t size,
                            bmp_header *header)
{
  if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M')
    return problem_not_bmp;
  info_fields info;
  const char *problem = read_info(bytes, size, &info);
  if (!problem)
    problem = check_size(info, header);
  if (!problem)
    problem = check_depth(info, header);
  if (!problem)
    problem = check_encoding(info, header);
  if (!problem)
    problem = read_masks(bytes, size, info, header);
  if (problem)
    return problem;
  header->pixels_at = u32(bytes + 10);
  if (header->pixels_at < header->palette_at)
    return problem_bad_header; // the pixels would overlap the headers
  find_palette(info, header);
  const std::size_t palette_end =
      header->palette_at + static_cast<std::size_t>(header->palette_size) *
                               static_cast<std::size_t>(header->palette_entry);
  return palette_end <= size ? nullptr : problem_incomplete;
}
