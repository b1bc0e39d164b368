#!/bin/bash
# Broken and hostile images in place of the road and of the roadside
# image: each ends the program with one message that names the file and
# gives the reason, status 1, never a signal or a hang. Outside the
# sanitizer build glibc's heap checks are on, so a write past a block
# shows even where it does not crash.
#   hostile_images_test.sh DRIVE DATA_DIR WRITE_BMP_CASES FINDS_DIR
DRIVE=$1 DATA_DIR=$2 WRITE_BMP_CASES=$3 FINDS_DIR=$4
. "$(dirname "$0")/lib.sh"

if ! ldd "$DRIVE" | grep -q libasan; then
  DRIVE_ENV="LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_CHECK_=3"
fi

cases=$(mktemp -d)
trap 'rm -rf "$cases"' EXIT
"$WRITE_BMP_CASES" "$cases" >"$cases/list.txt" || fail "cannot write the cases"
# The 32-bit 65536 x 16384 header of the cases, with all of its 2^32
# bytes of pixels there: a sparse file, costing no disk.
cp "$cases/bits32_65536_by_16384.bmp" "$cases/sparse_4_gib.bmp"
truncate -s $((54 + 4294967296)) "$cases/sparse_4_gib.bmp"
echo "sparse_4_gib.bmp|el archivo es demasiado grande" >>"$cases/list.txt"

# run_case FILE TARGET [REASON]: FILE as TARGET (lep.bmp or emblem.bmp).
run_case() {
  local file=$1 target=$2 reason=${3:-}
  make_workdir
  cp "$file" "$WORKDIR/$target"
  start_drive
  answer_message 20
  wait_exit 10
  local name
  name=$(basename "$file")
  [ "$STATUS" -eq 1 ] || fail "$name as $target: status $STATUS, expected 1"
  case "$MESSAGE" in
  "Error durante la carga de la imagen $target:"$'\n'"$reason"*) ;;
  *) fail "$name as $target: unexpected message: $MESSAGE" ;;
  esac
  grep -q 'malloc\|free()' "$WORKDIR/out.txt" &&
    fail "$name as $target: heap check: $(cat "$WORKDIR/out.txt")"
  rm -rf "$WORKDIR"
  count=$((count + 1))
}

count=0
# The dangerous ones, as each of the two images: sizes whose byte counts
# overflow, coded data that runs off its row, its image or its file,
# colours off the palette, payloads of other formats, files cut short.
for name in rle8_65536_square bits32_65536_by_16384 sparse_4_gib \
  height_int_min negative_width zero_width rle_run_past_row \
  rle_run_past_last_row rle_move_past_last_row rle_no_end_of_bitmap \
  rle_index_past_palette index_past_palette jpeg_payload header_cut \
  palette_cut_off masks_cut_off; do
  reason=$(grep "^$name.bmp|" "$cases/list.txt" | cut -d'|' -f2)
  [ -n "$reason" ] || fail "no case $name"
  for target in lep.bmp emblem.bmp; do
    run_case "$cases/$name.bmp" "$target" "$reason"
  done
done
# Every input the fuzzer ever found, taking turns at the two images.
target=lep.bmp
for file in "$FINDS_DIR"/*; do
  run_case "$file" "$target"
  [ "$target" = lep.bmp ] && target=emblem.bmp || target=lep.bmp
done
echo "ok: $count runs, each one message and status 1"
