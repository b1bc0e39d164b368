#!/bin/bash
# BMP files as ImageMagick writes them, in every layout it offers, load
# with the very pixels that ImageMagick itself reads back from them.
#   imagemagick_bmps_test.sh LOAD_IMAGES [KEEP_DIR]
# With KEEP_DIR the files are kept there, named imagemagick_NAME.bmp.
set -u
load_images=$(realpath "$1")
keep=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# 37 x 23: rows of 111 bytes at 24 bits, so every row is padded; a
# plasma has thousands of colours, so the palette layouts are quantised.
convert -seed 7 -size 37x23 plasma: source.png

# Info header size/bits per pixel/compression of a BMP file.
layout() {
  local size bits compression=0
  size=$(od -An -tu4 -j14 -N4 "$1" | tr -d ' ')
  if [ "$size" = 12 ]; then
    bits=$(od -An -tu2 -j24 -N2 "$1" | tr -d ' ')
  else
    bits=$(od -An -tu2 -j28 -N2 "$1" | tr -d ' ')
    compression=$(od -An -tu4 -j30 -N4 "$1" | tr -d ' ')
  fi
  echo "$size/$bits/$compression"
}

failed=0
# check NAME LAYOUT CONVERT_OPTIONS... FORMAT
check() {
  local name=$1 want=$2
  shift 2
  local format=${*: -1}
  convert source.png "${@:1:$#-1}" "$format:$name.bmp" || failed=1
  local got said differ
  got=$(layout "$name.bmp")
  # The reference at 8 bits a channel: ImageMagick writes a PPM at the
  # file's own depth otherwise. It reads a 4-bit channel c as c * 16,
  # so that white comes back as 240; we read it as c * 17, as every
  # other width is widened, so the reference is widened so too.
  local widen=()
  [ "${FOUR_BITS:-}" ] && widen=(-fx 'floor(u * 255 / 16) * 17 / 255')
  convert "$name.bmp" "${widen[@]}" -depth 8 "$name.ref.ppm"
  said=$("$load_images" -o "$name.ppm" "$name.bmp")
  differ=$(compare -metric AE "$name.ref.ppm" "$name.ppm" null: 2>&1)
  if [ "$got" != "$want" ] || [ "$differ" != 0 ]; then
    echo "FAIL: $name: layout $got, expected $want; $said; differ: $differ" >&2
    failed=1
  else
    echo "ok: $name ($got)"
  fi
}

check v5_24 124/24/0 BMP
check v3_24 40/24/0 BMP3
check core_24 12/24/0 BMP2
check v3_8 40/8/0 -type Palette -compress None BMP3
check v3_rle8 40/8/1 -type Palette BMP3
check v5_rle8 124/8/1 -type Palette BMP
check core_8 12/8/0 -type Palette BMP2
check v3_4 40/4/0 -colors 16 BMP3
check v3_1 40/1/0 -type Bilevel BMP3
check core_1 12/1/0 -colors 2 BMP2
check v5_rgb565 124/16/3 -define bmp:subtype=RGB565 BMP
check v5_rgb555 124/16/3 -define bmp:subtype=RGB555 BMP
FOUR_BITS=1 check v5_argb4444 124/16/3 -alpha set -define bmp:subtype=ARGB4444 BMP
check v5_argb1555 124/16/3 -alpha set -define bmp:subtype=ARGB1555 BMP
check v5_argb 124/32/3 -alpha set BMP
check v3_argb 40/32/0 -alpha set -define bmp3:alpha=true BMP3
[ -n "$keep" ] && for f in *.bmp; do cp "$f" "$keep/imagemagick_$f"; done
exit $failed
