#!/bin/bash
# Builds the Windows zip twice from the same commit, the second time from
# a copy of the sources elsewhere, in a build folder of another name and
# later, with the same Allegro build, and checks that the two zips are
# the same byte for byte; where they differ, diffoscope says how.
#   reproducible_test.sh SOURCE_DIR WINDOWS_LIBS ZIP_NAME
set -u
source=$1 libs=$2 zip=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build SOURCE BUILD: the program and the zip, without the tests.
build() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/windows-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVE_TESTS=OFF -DDRIVE_BENCH=OFF \
    -DDRIVE_WINDOWS_LIBS="$libs" >"$work/log" 2>&1 &&
    cmake --build "$2" --target windows_zip -j 2 >>"$work/log" 2>&1 ||
    { cat "$work/log" >&2; exit 1; }
  [ -f "$2/$zip" ] || { echo "FAIL: no $2/$zip" >&2; exit 1; }
}

build "$source" "$work/one"
# The same files, .git included for the commit's time, elsewhere.
mkdir -p "$work/second/place/src"
tar -C "$source" --exclude=./build --exclude=./out -cf - . |
  tar -C "$work/second/place/src" -xf -
build "$work/second/place/src" "$work/second/b"

if ! cmp "$work/one/$zip" "$work/second/b/$zip"; then
  diffoscope --text - "$work/one/$zip" "$work/second/b/$zip" >&2
  echo "FAIL: two builds of one commit give different zips" >&2
  exit 1
fi
echo "ok: $zip built twice, the same $(stat -c %s "$work/one/$zip") bytes"
