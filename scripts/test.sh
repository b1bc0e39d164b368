#!/bin/sh
# Builds everything and runs every test: the normal build, then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# image loader's fuzzer, then the Windows build under Wine, then the web
# build under node and Chromium. Display tests start their own Xvfb, so
# no display is needed. The Windows build is tried on amd64 machines
# alone: it is an x86-64 program, and Wine runs those on x86 only.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
arch=$(dpkg --print-architecture)
needs="test webtest"
[ "$arch" != amd64 ] || needs="$needs windows"
# One line to run as root for everything missing, Windows tools included.
# shellcheck disable=SC2086 # the needs are meant to split
scripts/deps.sh $needs
# The fuzz preset builds the image loader's fuzzer with clang; its tests
# replay every kept input and then fuzz for a minute.
for preset in default asan fuzz; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset tests"
  ctest --preset "$preset"
done
# Then the Windows build and its tests under Wine on Xvfb; its long drive
# is compared with the default build's.
if [ "$arch" != amd64 ]; then
  echo "== windows build skipped: the Windows build is an x86-64 program," \
    "which mingw-w64 makes and Wine runs on amd64 machines only, not $arch"
else
  echo "== windows build"
  scripts/windows.sh
  cmake --build --preset windows -j "$(nproc)"
  echo "== windows tests"
  ctest --preset windows
fi
# Last of all the web build: its unit tests and long drive under node,
# its page in headless Chromium against the default build's first frame.
echo "== web build"
scripts/web.sh
cmake --build --preset web -j "$(nproc)"
echo "== web tests"
ctest --preset web
