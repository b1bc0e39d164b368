#!/bin/bash
# Builds the Debian package twice from the same commit, in other folders,
# and checks that the two .deb files are the same byte for byte.
#   reproducible_test.sh SOURCE_DIR VERSION [CMAKE_OPTION...]
# The options, a cross build's toolchain and root, go to both builds.
set -u
source=$1 version=$2
options=("${@:3}")
. "$(dirname "$0")/../support/builds.sh"

# package SOURCE DIR: the program and what the package installs (not the
# tools and tests), then the package.
package() {
  logged cmake -S "$1" -B "$2" -DDRIVE_TESTS=OFF -DDRIVE_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${options[@]}"
  logged cmake --build "$2" --target drive compressed_docs -j 2
  make_deb "$2" "$version" "$2/deb"
  BUILT=$DEB
}

built_twice_same "$source" package
