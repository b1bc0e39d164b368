#!/bin/bash
# Every broken and hostile image of the loader's tests in place of the
# road image and of the roadside image, and every input the fuzzer ever
# found in place of one of them: each ends the program with one message
# that names the file and gives the reason, status 1, never a signal or
# a hang. Outside the sanitizer build glibc's heap checks are on, so a
# write past a block shows even where it does not crash. Each message
# box is read from xmessage's command line and closed by ending it. One
# program at a time: the library's window set-up waits for its window's
# first exposure, which a window of another instance can hold off. With
# PART and PARTS the runs are dealt out in turn, and this one makes every
# PARTS-th from its PART-th: parts on displays of their own run side by
# side.
#   hostile_images_test.sh DRIVE DATA_DIR WRITE_BMP_CASES FINDS_DIR [PART PARTS]
DRIVE=$1 DATA_DIR=$2 WRITE_BMP_CASES=$3 FINDS_DIR=$(realpath "$4")
PART=${5:-1} PARTS=${6:-1}
. "$(dirname "$0")/lib.sh"

DRIVE_ENV=""
ldd "$DRIVE" | grep -q libasan ||
  DRIVE_ENV="LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_CHECK_=3"

cases=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$cases"' EXIT
"$WRITE_BMP_CASES" "$cases" >"$cases/list.txt" || fail "cannot write the cases"
# The 32-bit 65536 x 16384 header of the cases with all of its 2^32 bytes
# of pixels there: a sparse file, costing no disk.
cp "$cases/bits32_65536_by_16384.bmp" "$cases/sparse_4_gib.bmp"
truncate -s $((54 + 4294967296)) "$cases/sparse_4_gib.bmp"
echo "sparse_4_gib.bmp|el archivo es demasiado grande" >>"$cases/list.txt"
for file in "$FINDS_DIR"/*; do
  ln -s "$file" "$cases/find-$(basename "$file").bmp"
  echo "find-$(basename "$file").bmp|" >>"$cases/list.txt"
done

# run_case NAME TARGET: the program with case NAME as TARGET, in a folder
# of its own; checks its message, closes the box and waits for its end.
# Only the runs of this part are made.
dealt=0
run_case() {
  local name=$1 target=$2 reason
  dealt=$((dealt + 1))
  [ $(((dealt - 1) % PARTS + 1)) -eq "$PART" ] || return 0
  CASE="$name as $target"
  WORKDIR="$cases/run-$name-$target"
  mkdir "$WORKDIR"
  cp "$DATA_DIR/lep.bmp" "$DATA_DIR/emblem.bmp" "$WORKDIR/"
  cp "$cases/$name" "$WORKDIR/$target"
  reason=$(grep -F "$name|" "$cases/list.txt" | head -1 | cut -d'|' -f2)
  start_drive
  read_message
  kill "$BOX_PID"
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "status $STATUS, expected 1"
  case "$MESSAGE" in
  "Error durante la carga de la imagen $target:"$'\n'"$reason"?*) ;;
  *) fail "unexpected message: $MESSAGE" ;;
  esac
  grep -q 'malloc\|free()' "$WORKDIR/out.txt" && fail "$(cat "$WORKDIR/out.txt")"
  count=$((count + 1))
}

count=0
for name in $(grep '|.' "$cases/list.txt" | cut -d'|' -f1); do
  run_case "$name" lep.bmp
  run_case "$name" emblem.bmp
done
# The finds take turns at the two images.
target=lep.bmp
for name in $(grep '^find-' "$cases/list.txt" | cut -d'|' -f1); do
  run_case "$name" "$target"
  [ "$target" = lep.bmp ] && target=emblem.bmp || target=lep.bmp
done
[ "$count" -gt 0 ] || fail "part $PART of $PARTS made no run"
echo "ok: $count of $dealt runs, each one message and status 1"
