#!/bin/sh
# Builds the demo and drives it. The program reads lep.bmp and emblem.bmp
# from its working directory, so it runs from data/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh build
cmake --preset drive >/dev/null
cmake --build --preset drive -j "$(nproc)"
cd data
exec ../build/drive/drive
