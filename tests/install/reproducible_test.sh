#!/bin/bash
# Builds the Debian package twice from the same commit, the second time
# from a copy of the sources elsewhere, in a build folder of another
# name and later, and checks that the two .deb files
# are the same byte for byte; where they differ, diffoscope says how.
#   reproducible_test.sh SOURCE_DIR VERSION
set -u
source=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deb=drive_${version}_$(dpkg --print-architecture).deb

# build SOURCE BUILD OUT: the program and what the package installs
# (not the tools and tests), then the package.
build() {
  cmake -S "$1" -B "$2" -DDRIVE_TESTS=OFF -DDRIVE_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$work/log" 2>&1 &&
    cmake --build "$2" --target drive compressed_docs -j 2 >>"$work/log" 2>&1 &&
    cpack --config "$2/CPackConfig.cmake" -G DEB -B "$3" >>"$work/log" 2>&1 ||
    { cat "$work/log" >&2; exit 1; }
  [ -f "$3/$deb" ] || { echo "FAIL: no $3/$deb" >&2; exit 1; }
}

build "$source" "$work/one/build" "$work/one"
# The same files, .git included for the commit's time, elsewhere.
mkdir -p "$work/second/place/src"
tar -C "$source" --exclude=./build --exclude=./out -cf - . |
  tar -C "$work/second/place/src" -xf -
build "$work/second/place/src" "$work/second/b" "$work/two"

if ! cmp "$work/one/$deb" "$work/two/$deb"; then
  diffoscope --text - "$work/one/$deb" "$work/two/$deb" >&2
  echo "FAIL: two builds of one commit give different packages" >&2
  exit 1
fi
echo "ok: $deb built twice, the same $(stat -c %s "$work/one/$deb") bytes"
