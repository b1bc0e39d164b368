#!/bin/sh
# The checks of another architecture that every landing gets, in minutes
# rather than the hours of a whole emulated root (scripts/fresh-root.sh
# SUITE arm64): a root of that architecture's Debian packages, made with
# mmdebstrap without running any of their scripts, serves as the cross
# compiler's sysroot; the build's tests then run under qemu-user, and its
# long drive and image files are compared with the default build's. Each
# name and label in the test preset's filter must be a test's.
#   arm64: the cmake preset's tests, the Debian package's among them
#   s390x: the image decoder's tests and every kept fuzzer input
# Needs root (mmdebstrap, binfmt_misc). Prints one line per step.
#   scripts/cross-test.sh [ARCH...]    ARCH: arm64, s390x (both by default)
set -eu
self=$(realpath "$0")
repo=$(cd "$(dirname "$self")/.." && pwd)
. "$repo/scripts/roots.sh"
cd "$repo"

# The packages of the sysroot for the cross compiler TRIPLE ($1), as
# mmdebstrap's comma-separated list.
sysroot_packages() {
  version=$("$1-g++" -dumpversion)
  { grep -v '^#' scripts/sysroot-packages.txt; echo "libstdc++-$version-dev"; } |
    paste -s -d, -
}

# build/sysroot-ARCH ($1), made again when its package list has changed.
make_sysroot() {
  sysroot=build/sysroot-$1 packages=$(sysroot_packages "$2")
  [ "$(cat "$sysroot.packages" 2>/dev/null)" != "$packages" ] || return 0
  rm -rf --one-file-system "$sysroot" "$sysroot.packages"
  # A cache of its own: a fresh root of the architecture holds its
  # cache for hours.
  cache=$(package_cache "$suite" "$1")-sysroot
  lock_cache "$cache"
  make_root "$suite" "$1" "$sysroot" extract "$packages" "$cache"
  echo "$packages" >"$sysroot.packages"
}

# dpkg-shlibdeps finds a cross-built program's Depends in the libraries
# of its architecture ARCH ($1) installed beside this machine's own
# (multiarch), as in a Debian cross build: those that the program links.
# On Debian 13 apt takes the libraries' t64 packages for these names.
add_linked_libraries() {
  dpkg --print-foreign-architectures | grep -qx "$1" || {
    dpkg --add-architecture "$1"
    apt-get update -q
  }
  apt-get install -y -q --no-install-recommends libc6:"$1" libgcc-s1:"$1" \
    libstdc++6:"$1" libgl1:"$1" liballegro4.4:"$1" liballeggl4.4:"$1"
}

# Runs a named step and prints its line: name and seconds; the script
# ends at the first that fails.
step() {
  name=$1 start=$(date +%s)
  shift
  echo "== $name"
  "$@"
  echo "== $name: $(($(date +%s) - start)) s"
}

# Main steps.
[ "$#" -gt 0 ] || set -- arm64 s390x
[ "$(id -u)" -eq 0 ] || { echo "cross-test.sh: run it as root" >&2; exit 1; }
scripts/deps.sh test cross
# shellcheck disable=SC1091 # the machine's own release file
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The build machine's programs that the cross builds are compared with.
cmake --preset default >/dev/null
step "default: drive_trace, load_images" cmake --build --preset default -j 2 \
  --target drive_trace load_images
for arch in "$@"; do
  case "$arch" in
  arm64) triple=aarch64-linux-gnu ;;
  s390x) triple=s390x-linux-gnu ;;
  *) echo "cross-test.sh: no cross build for '$arch'" >&2; exit 2 ;;
  esac
  enable_emulation "$arch"
  step "$arch root" make_sysroot "$arch" "$triple"
  [ "$arch" != arm64 ] || step "$arch libraries" add_linked_libraries "$arch"
  step "$arch configure" cmake --preset "$arch"
  step "$arch build" cmake --build --preset "$arch" -j 2
  step "$arch test filter" cmake -DPRESET="$arch" -DBUILD="build/$arch" \
    -P scripts/preset_filter.cmake
  step "$arch tests" ctest --preset "$arch"
done
