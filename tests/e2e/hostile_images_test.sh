#!/bin/bash
# Every broken and hostile image of the loader's tests in place of the
# road image and of the roadside image, and every input the fuzzer ever
# found in place of one of them: each ends the program with one message
# that names the file and gives the reason, status 1, never a signal or
# a hang. Outside the sanitizer build glibc's heap checks are on, so a
# write past a block shows even where it does not crash. Each message
# box is read from xmessage's command line and closed by ending it. One
# program at a time: the library's window set-up waits for its window's
# first exposure, which a window of another instance can hold off.
#   hostile_images_test.sh DRIVE DATA_DIR WRITE_BMP_CASES FINDS_DIR
DRIVE=$1 DATA_DIR=$2 WRITE_BMP_CASES=$3 FINDS_DIR=$(realpath "$4")
. "$(dirname "$0")/lib.sh"

env_words=""
ldd "$DRIVE" | grep -q libasan ||
  env_words="LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_CHECK_=3"

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
# of its own.
run_case() {
  local dir="$cases/run-$1-$2"
  mkdir "$dir"
  cp "$DATA_DIR/lep.bmp" "$DATA_DIR/emblem.bmp" "$dir/"
  cp "$cases/$1" "$dir/$2"
  # shellcheck disable=SC2086 # env_words is meant to split into words
  (cd "$dir" && exec env $env_words "$DRIVE" >"$dir/out.txt" 2>&1) &
  finish_case $! "$1" "$2"
}

# finish_case PID NAME TARGET: waits for the program's message box,
# checks and closes it, then waits for the program's end.
finish_case() {
  local pid=$1 name=$2 target=$3 box="" deadline=$((SECONDS + PATIENCE))
  local reason message args
  reason=$(grep -F "$name|" "$cases/list.txt" | head -1 | cut -d'|' -f2)
  while [ -z "$box" ]; do
    kill -0 "$pid" 2>/dev/null || fail "$name as $target: ended without a message"
    [ "$SECONDS" -le "$deadline" ] || fail "$name as $target: no message box"
    box=$(pgrep -P "$pid" -x xmessage | head -1)
    [ -n "$box" ] || sleep 0.1
  done
  # For a moment after its name has become xmessage, while the kernel is
  # still loading it, its command line reads empty: read until it holds
  # the message.
  while :; do
    mapfile -d '' args <"/proc/$box/cmdline" 2>/dev/null
    [ "${#args[@]}" -gt 1 ] && message=${args[-1]} && break
    [ "$SECONDS" -le "$deadline" ] || fail "$name as $target: box without a message"
    sleep 0.05
  done
  kill "$box"
  DRIVE_PID=$pid
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "$name as $target: status $STATUS, expected 1"
  case "$message" in
  "Error durante la carga de la imagen $target:"$'\n'"$reason"?*) ;;
  *) fail "$name as $target: unexpected message: $message" ;;
  esac
  local out="$cases/run-$name-$target/out.txt"
  grep -q 'malloc\|free()' "$out" && fail "$name as $target: $(cat "$out")"
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
echo "ok: $count runs, each one message and status 1"
