#!/bin/sh
# Builds everything and runs every test: the normal build, then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# image loader's fuzzer, then the Windows build under Wine, then the web
# build under node and Chromium. Display tests start their own Xvfb, so
# no display is needed. The Windows build is tried on amd64 machines
# alone: it is an x86-64 program, and Wine runs those on x86 only.
#   scripts/test.sh [STAGE...]   STAGE: default, asan, fuzz, windows, web
#                                (all of them, in this order, by default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
arch=$(dpkg --print-architecture)
[ "$#" -gt 0 ] || set -- default asan fuzz windows web
for stage in "$@"; do
  case "$stage" in
  default | asan | fuzz | windows | web) ;;
  *) echo "test.sh: no stage '$stage'" >&2; exit 2 ;;
  esac
done
needs="test webtest"
[ "$arch" != amd64 ] || needs="$needs windows"
# One line to run as root for everything missing, Windows tools included.
# shellcheck disable=SC2086 # the needs are meant to split
scripts/deps.sh $needs

# The default, asan and fuzz stages: a preset built and its tests run.
# The fuzz preset builds the image loader's fuzzer with clang; its tests
# replay every kept input and then fuzz for a minute.
preset_stage() {
  echo "== $1 build"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
  echo "== $1 tests"
  ctest --preset "$1"
}

# The default build's programs that the Windows and web builds are
# compared with, so that those stages also run alone (nothing to do after
# the default stage).
compared_programs() {
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)" \
    --target drive drive_trace write_bmp_cases
}

# The Windows build and its tests under Wine on Xvfb; its long drive is
# compared with the default build's.
windows_stage() {
  if [ "$arch" != amd64 ]; then
    echo "== windows build skipped: the Windows build is an x86-64 program," \
      "which mingw-w64 makes and Wine runs on amd64 machines only, not $arch"
    return 0
  fi
  echo "== windows build"
  compared_programs
  scripts/windows.sh
  cmake --build --preset windows -j "$(nproc)"
  echo "== windows tests"
  ctest --preset windows
}

# The web build: its unit tests and long drive under node, its page in
# headless Chromium against the default build's first frame.
web_stage() {
  echo "== web build"
  compared_programs
  scripts/web.sh
  cmake --build --preset web -j "$(nproc)"
  echo "== web tests"
  ctest --preset web
}

for stage in "$@"; do
  case "$stage" in
  windows) windows_stage ;;
  web) web_stage ;;
  *) preset_stage "$stage" ;;
  esac
done
