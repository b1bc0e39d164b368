#!/bin/sh
# Builds the demo and drives it. The program reads lep.bmp and emblem.bmp
# from its working directory, so it runs from data/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
cmake -S "$root" --preset default -DDRIVE_TESTS=OFF -DDRIVE_BENCH=OFF >/dev/null
cmake --build --preset default --target drive -j "$(nproc)"
cd "$root/data"
exec "$root/build/default/drive"
