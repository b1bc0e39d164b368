#!/bin/sh
# Builds everything and runs every test: the normal build, then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer. Display
# tests start their own Xvfb, so no display is needed.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh test
for preset in default asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset tests"
  ctest --preset "$preset"
done
