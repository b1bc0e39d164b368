#!/bin/bash
# The Debian package of the build tree under test and the one built again
# from the same commit, in other folders, are the same byte for byte.
#   reproducible_test.sh SOURCE_DIR VERSION BUILD_DIR [CMAKE_OPTION...]
# The options, a cross build's toolchain and root, go to the second build.
set -u
source=$1 version=$2 tree=$3
options=("${@:4}")
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

# tree_package DIR: the package of the build tree under test, into DIR.
tree_package() {
  make_deb "$tree" "$version" "$1"
  BUILT=$DEB
}

built_twice_same "$source" tree_package package
