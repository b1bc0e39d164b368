#include "tests/image/bmp_cases.h"

#include <algorithm>
#include <ostream>

namespace
{

// A 3 x 2 picture: red, green, blue over white, black and a grey that
// 5-bit channels hold exactly (16 widens to 0x84).
const pixels six = {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0x000000, 0x848484};
// The same at 5-6-5: the grey's green is 6-bit 32, which widens to 0x82.
const pixels six_565 = {0xff0000, 0x00ff00, 0x0000ff,
                        0xffffff, 0x000000, 0x848284};

// Six values, top row first, stored bottom row first at the given depth.
bmp_fields stored(int header_size, int bits, const pixels &values)
{
  bmp_fields s;
  s.header_size = header_size;
  s.bits = bits;
  s.pixels = packed_rows(bits, {{values[3], values[4], values[5]},
                                {values[0], values[1], values[2]}});
  return s;
}

// Palette indices 0 to 5 over the colours of six.
bmp_fields indexed(int header_size, int bits)
{
  bmp_fields s = stored(header_size, bits, {0, 1, 2, 3, 4, 5});
  s.palette = six;
  return s;
}

bmp_fields with(bmp_fields s, int compression, const pixels &masks)
{
  s.compression = compression;
  s.masks = masks;
  return s;
}

const pixels v555 = {0x7c00, 0x03e0, 0x001f, 0x7fff, 0x0000, 0x4210};
const pixels v565 = {0xf800, 0x07e0, 0x001f, 0xffff, 0x0000, 0x8410};
const pixels m565 = {0xf800, 0x07e0, 0x001f};
// Default 32 bits: blue, green, red and a byte that is ignored.
const pixels v_bgrx = {0x80ff0000, 0x8000ff00, 0x800000ff,
                       0x80ffffff, 0x80000000, 0x80848484};
// 32 bits with red in the top byte and alpha in the bottom one.
const pixels v_rgba = {0xff00007f, 0x00ff007f, 0x0000ff7f,
                       0xffffff7f, 0x0000007f, 0x8484847f};
const pixels m_rgba = {0xff000000, 0x00ff0000, 0x0000ff00, 0x000000ff};
// 10 bits a colour: the top 8 of 0x210 are 0x84.
const pixels v_10bit = {0x3ff00000, 0x000ffc00, 0x000003ff,
                        0x3fffffff, 0x00000000, 0x21084210};
const pixels m_10bit = {0x3ff00000, 0x000ffc00, 0x000003ff};

// Palette of the colours of six, of the given length (the rest black),
// declared with the given count.
bmp_fields colours(bmp_fields s, std::size_t length, std::uint32_t count)
{
  s.palette = six;
  s.palette.resize(length, 0);
  s.colours_used = count;
  return s;
}

bmp_fields colours(bmp_fields s, std::size_t length)
{
  return colours(s, length, length);
}

// Rows stored top row first.
bmp_fields top_down(bmp_fields s)
{
  const std::size_t half = s.pixels.size() / 2;
  if (s.compression == 0)
    std::rotate(s.pixels.begin(), s.pixels.begin() + half, s.pixels.end());
  s.height = -s.height;
  return s;
}

// A run-length coded stream over the colours of six.
bmp_fields coded(int compression, const bytes &stream)
{
  bmp_fields s = indexed(40, compression == 1 ? 8 : 4);
  s.compression = compression;
  s.pixels = stream;
  return s;
}

bmp_fields one_bit(int header_size)
{
  bmp_fields s = stored(header_size, 1, {1, 0, 1, 0, 1, 0});
  s.palette = {0x000000, 0xffffff};
  return s;
}
const pixels one_bit_pixels = {0xffffff, 0, 0xffffff, 0, 0xffffff, 0};

// Cases as the fields of their files; the bytes are made from them at the
// end.
struct layout_fields {
  const char *name;
  bmp_fields fields;
  pixels expected;
};

std::vector<layout_fields> layout_fields_table()
{
  std::vector<layout_fields> v = {
      {"core_24", stored(12, 24, six), six},
      {"core_8", indexed(12, 8), six},
      {"core_1", one_bit(12), one_bit_pixels},
      {"win_1", one_bit(40), one_bit_pixels},
      {"win_4_odd_width", indexed(40, 4), six},
      {"win_8", indexed(40, 8), six},
      {"win_24", stored(40, 24, six), six},
      {"win_32_pad_byte_ignored", stored(40, 32, v_bgrx), six},
      {"win_16_default_555", stored(40, 16, v555), six},
      {"win_16_565_after_header", with(stored(40, 16, v565), 3, m565), six_565},
      {"v2_16_565", with(stored(52, 16, v565), 3, m565), six_565},
      {"v3_32_rgba", with(stored(56, 32, v_rgba), 3, m_rgba), six},
      {"v3_32_alpha_bitfields", with(stored(40, 32, v_rgba), 6, m_rgba), six},
      {"win_32_10_bits", with(stored(40, 32, v_10bit), 3, m_10bit), six},
      {"v4_24", stored(108, 24, six), six},
      {"v5_16_565", with(stored(124, 16, v565), 3, m565), six_565},
      {"v5_32_masks_unused_without_bitfields",
       with(stored(124, 32, v_bgrx), 0, m_rgba), six},
      {"os2_64_8", indexed(64, 8), six},
      {"os2_16_24", stored(16, 24, six), six},
      {"win_8_three_colours",
       colours(stored(40, 8, {0, 1, 2, 2, 1, 0}), 3),
       {0xff0000, 0x00ff00, 0x0000ff, 0x0000ff, 0x00ff00, 0xff0000}},
      {"win_8_count_0_is_all_256", colours(indexed(40, 8), 256, 0), six},
      {"win_8_count_past_256", colours(indexed(40, 8), 256, 300), six},
      {"win_16_565_with_palette",
       colours(with(stored(40, 16, v565), 3, m565), 2), six_565},
      {"win_24_top_down", top_down(stored(40, 24, six)), six},
      {"rle8", coded(1, {0, 3, 3, 4, 5, 0, 0, 0, 1, 0, 1, 1, 1, 2, 0, 0, 0, 1}),
       six},
      {"rle8_move_leaves_index_0",
       coded(1, {1, 3, 0, 2, 1, 1, 1, 2, 0, 1}),
       {0xff0000, 0xff0000, 0x0000ff, 0xffffff, 0xff0000, 0xff0000}},
      {"rle8_top_down",
       top_down(coded(1, {1, 0, 1, 1, 1, 2, 0, 0, 0, 3, 3, 4, 5, 0, 0, 1})),
       six},
      // Runs over whole stored rows, padding included, as some tools
      // write them: the padding is dropped.
      {"rle8_runs_into_row_padding",
       coded(1, {4, 3, 0, 0, 0, 4, 0, 1, 2, 9, 0, 1}),
       {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0xffffff, 0xffffff}},
      {"rle4", coded(2, {0, 3, 0x34, 0x50, 0, 0, 2, 0x01, 1, 0x20, 0, 0, 0, 1}),
       six},
  };
  bmp_fields gap = indexed(40, 8);
  gap.gap = 10;
  v.push_back({"win_8_gap_before_pixels", gap, six});
  bmp_fields tail = stored(40, 24, six);
  tail.pixels.resize(tail.pixels.size() + 7, 0xee);
  v.push_back({"win_24_bytes_after_pixels", tail, six});
  return v;
}

// Broken and hostile files.
bytes valid()
{
  return bmp_bytes(stored(40, 24, six));
}

bytes put32(bytes b, std::size_t at, std::uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<unsigned char>(v >> (8 * i));
  return b;
}

bytes cut(bytes b, std::size_t size)
{
  b.resize(size);
  return b;
}

bytes sized(bmp_fields s, int width, int height)
{
  s.width = width;
  s.height = height;
  return bmp_bytes(s);
}

const char *const not_bmp = "el archivo no es una imagen BMP";
const char *const incomplete = "el archivo esta incompleto";
const char *const bad_header = "la cabecera de la imagen no es valida";
const char *const bad_size = "el tamano de la imagen no es valido";
const char *const too_big = "la imagen mide mas de 4096 x 4096 pixeles";
const char *const bad_depth = "la profundidad de color no es compatible";
const char *const bad_compression =
    "la compresion de la imagen no es compatible";
const char *const bad_masks = "las mascaras de color no son validas";
const char *const off_palette =
    "un pixel usa un color que no esta en la paleta";
const char *const overrun = "los datos comprimidos se salen de la imagen";

bytes file(const bmp_fields &s)
{
  return bmp_bytes(s);
}

} // namespace

std::vector<bmp_refusal_case> refusal_cases()
{
  const bmp_fields b565 = with(stored(40, 16, v565), 3, m565);
  const std::size_t size = valid().size();
  return {
      {"empty", {}, not_bmp},
      {"text",
       {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'},
       not_bmp},
      {"magic_only", {'B', 'M'}, incomplete},
      {"header_cut", cut(valid(), 30), incomplete},
      {"one_byte_short", cut(valid(), size - 1), incomplete},
      {"offset_past_end", put32(valid(), 10, 1000), incomplete},
      {"offset_into_headers", put32(valid(), 10, 20), bad_header},
      {"header_size_0", put32(valid(), 14, 0), bad_header},
      {"header_size_41", put32(valid(), 14, 41), bad_header},
      {"header_size_200", put32(valid(), 14, 200), bad_header},
      {"two_planes", put32(valid(), 26, 2 | 24 << 16), bad_header},
      {"zero_width", put32(valid(), 18, 0), bad_size},
      {"negative_width", put32(valid(), 18, -3), bad_size},
      {"zero_height", put32(valid(), 22, 0), bad_size},
      {"width_4097", put32(valid(), 18, 4097), too_big},
      {"height_minus_4097", put32(valid(), 22, -4097), too_big},
      {"height_int_min", put32(valid(), 22, 0x80000000u), too_big},
      {"rle8_65536_square", sized(coded(1, {0, 1}), 65536, 65536), too_big},
      {"bits32_65536_by_16384", sized(stored(40, 32, v_bgrx), 65536, 16384),
       too_big},
      {"depth_0", put32(valid(), 26, 1 | 0 << 16), bad_depth},
      {"depth_2", put32(valid(), 26, 1 | 2 << 16), bad_depth},
      {"depth_7", put32(valid(), 26, 1 | 7 << 16), bad_depth},
      {"jpeg_payload", file(with(stored(40, 24, six), 4, {})), bad_compression},
      {"png_payload", file(with(stored(40, 24, six), 5, {})), bad_compression},
      {"cmyk", file(with(stored(40, 32, v_bgrx), 11, {})), bad_compression},
      {"huffman_1_bit", file(with(one_bit(40), 3, {})), bad_compression},
      {"os2_bitfields", file(with(stored(64, 16, v565), 3, m565)),
       bad_compression},
      {"bitfields_at_24_bits", file(with(stored(40, 24, six), 3, m565)),
       bad_compression},
      {"rle8_at_4_bits", file(with(indexed(40, 4), 1, {})), bad_compression},
      {"rle4_at_8_bits", file(with(indexed(40, 8), 2, {})), bad_compression},
      {"masks_cut_off", cut(file(b565), 14 + 40 + 8), incomplete},
      {"zero_mask", file(with(b565, 3, {0xf800, 0, 0x1f})), bad_masks},
      {"broken_mask", file(with(b565, 3, {0xf800, 0x05e0, 0x1f})), bad_masks},
      {"overlapping_masks", file(with(b565, 3, {0xf800, 0x0fe0, 0x1f})),
       bad_masks},
      {"mask_past_16_bits", file(with(b565, 3, {0x1f0000, 0x07e0, 0x1f})),
       bad_masks},
      {"palette_cut_off", cut(file(indexed(40, 8)), 14 + 40 + 10), incomplete},
      {"index_past_palette", file(colours(indexed(40, 8), 3)), off_palette},
      {"one_bit_one_colour", file(colours(one_bit(40), 1)), off_palette},
      {"rle_index_past_palette", file(coded(1, {1, 9, 0, 1})), off_palette},
      // Rows of 3 pixels are stored as 4 at 8 bits and as 8 at 4 bits.
      {"rle_run_past_row", file(coded(1, {5, 0, 0, 1})), overrun},
      {"rle4_run_past_row", file(coded(2, {9, 0x01, 0, 1})), overrun},
      {"rle_literal_past_row", file(coded(1, {0, 5, 0, 1, 2, 3, 4, 0, 0, 1})),
       overrun},
      {"rle_run_past_last_row", file(coded(1, {0, 0, 0, 0, 1, 0, 0, 1})),
       overrun},
      {"rle_line_end_past_last_row", file(coded(1, {0, 0, 0, 0, 0, 0, 0, 1})),
       overrun},
      {"rle_move_past_row", file(coded(1, {0, 2, 5, 0, 0, 1})), overrun},
      {"rle_move_past_last_row", file(coded(1, {0, 2, 0, 3, 0, 1})), overrun},
      {"rle_no_end_of_bitmap", file(coded(1, {1, 0})), incomplete},
      {"rle_literal_cut", file(coded(1, {0, 3, 1})), incomplete},
      {"rle_move_cut", file(coded(1, {0, 2, 1})), incomplete},
  };
}

std::vector<bmp_layout_case> layout_cases()
{
  std::vector<bmp_layout_case> cases;
  for (const layout_fields &c : layout_fields_table())
    cases.push_back({c.name, bmp_bytes(c.fields), c.expected});
  return cases;
}

void PrintTo(const bmp_layout_case &c, std::ostream *out)
{
  *out << c.name;
}

void PrintTo(const bmp_refusal_case &c, std::ostream *out)
{
  *out << c.name;
}
