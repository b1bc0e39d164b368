#!/bin/bash
# The Windows zip of the build tree under test and the one built again
# from the same commit, in other folders, with the same Allegro build,
# are the same byte for byte.
#   reproducible_test.sh SOURCE_DIR WINDOWS_LIBS ZIP
set -u
source=$1 libs=$2 first=$3
zip=$(basename "$first")
. "$(dirname "$0")/../support/builds.sh"

# windows_zip SOURCE DIR: the program and the zip, without the tests.
windows_zip() {
  logged cmake -S "$1" -B "$2" \
    -DCMAKE_TOOLCHAIN_FILE="$1/cmake/windows-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVE_TESTS=OFF -DDRIVE_BENCH=OFF \
    -DDRIVE_WINDOWS_LIBS="$libs"
  logged cmake --build "$2" --target windows_zip -j 2
  BUILT=$2/$zip
  [ -f "$BUILT" ] || fail "no $BUILT"
}

# tree_zip: the zip of the build tree under test.
tree_zip() {
  BUILT=$first
}

built_twice_same "$source" tree_zip windows_zip
