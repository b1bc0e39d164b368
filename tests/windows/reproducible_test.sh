#!/bin/bash
# Builds the Windows zip twice from the same commit, in other folders,
# with the same Allegro build, and checks that the two zips are the same
# byte for byte.
#   reproducible_test.sh SOURCE_DIR WINDOWS_LIBS ZIP_NAME
set -u
source=$1 libs=$2 zip=$3
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

built_twice_same "$source" windows_zip
