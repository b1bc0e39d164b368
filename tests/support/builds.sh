# Builds for the packaging tests: the Debian package made once, and a
# build made twice from one commit and compared byte for byte. A failed
# build shows its log and ends the script.
# shellcheck shell=bash
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
fail_stops=1

# Runs a build command with its output in BUILD_LOG, shown if it fails.
logged() {
  "$@" >>"$BUILD_LOG" 2>&1 || { cat "$BUILD_LOG" >&2; fail "$*"; }
}

# make_deb BUILD VERSION OUT: the package of a built tree, made in OUT;
# sets DEB to its path and DEB_ARCH to its architecture: the one that a
# cross build names, otherwise this machine's.
make_deb() {
  logged cpack --config "$1/CPackConfig.cmake" -G DEB -B "$3"
  DEB_ARCH=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "\(.*\)")$/\1/p' \
    "$1/CPackConfig.cmake")
  [ -n "$DEB_ARCH" ] || DEB_ARCH=$(dpkg --print-architecture)
  DEB="$3/drive_${2}_$DEB_ARCH.deb"
  [ -f "$DEB" ] || fail "no $DEB"
}

# built_twice_same SOURCE TREE_COMMAND BUILD_COMMAND: TREE_COMMAND DIR
# sets BUILT to the product of the build tree under test, made from
# SOURCE in its own folder (a product packed into DIR, if need be);
# BUILD_COMMAND SOURCE DIR, which leaves its product at the path in
# BUILT, makes it again from a copy of SOURCE elsewhere (.git included,
# for the commit's time) in a build folder of another name and later.
# Fails unless the two products are the same byte for byte; where they
# differ, diffoscope says how.
built_twice_same() {
  # Names of their own: the commands see this function's locals.
  local source=$1 tree_command=$2 build_command=$3 work first_product
  work=$(mktemp -d)
  # shellcheck disable=SC2064 # the folder is known now
  trap "rm -rf '$work'" EXIT
  # A compiler cache would hand the second build objects made for other
  # folders, with their paths in the debug information.
  unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
  export CCACHE_DISABLE=1
  BUILD_LOG=$work/log
  "$tree_command" "$work/one"
  first_product=$BUILT
  [ -f "$first_product" ] || fail "no $first_product: build the tree first"
  mkdir -p "$work/second/place/src"
  tar -C "$source" --exclude=./build --exclude=./out -cf - . |
    tar -C "$work/second/place/src" -xf -
  "$build_command" "$work/second/place/src" "$work/second/b"
  if ! cmp "$first_product" "$BUILT"; then
    diffoscope --text - "$first_product" "$BUILT" >&2
    fail "two builds of one commit give different $(basename "$BUILT")"
  fi
  echo "ok: $(basename "$BUILT") built twice, the same $(stat -c %s "$BUILT") bytes"
}
