#!/bin/bash
# Every kept fuzzer input, loaded by the build machine's loader and by a
# cross-built one (under qemu-user): each gets the same answer, and each
# image that loads has the same pixels, byte for byte.
#   same_pixels_test.sh FUZZ_DIR HOST_LOAD_IMAGES CROSS_LOAD_IMAGES...
set -u
fuzz_dir=$1 host=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/checks.sh"
[ -x "$host" ] || { echo "FAIL: no $host (build the default preset first)" >&2; exit 1; }

files=0
while read -r file; do
  files=$((files + 1))
  rm -f "$work"/*.ppm
  ours=$("$host" -o "$work/host.ppm" "$file") || fail "$file: host loader failed"
  theirs=$("$@" -o "$work/cross.ppm" "$file") || fail "$file: cross loader failed"
  [ "$ours" = "$theirs" ] || fail "$ours / $theirs"
  [ ! -f "$work/host.ppm" ] || cmp -s "$work/host.ppm" "$work/cross.ppm" ||
    fail "$file: other pixels"
done < <(find "$fuzz_dir/corpus" "$fuzz_dir/finds" -type f | sort)
checks_status || exit 1
echo "ok: $files files, the same answers and pixels"
