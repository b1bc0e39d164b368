#!/bin/sh
# Builds the demo for 64-bit Windows: drive.exe, a static program of the
# Windows GUI subsystem, zipped with its two images. Installs the Debian
# packages it needs when missing (as root; otherwise it prints the
# apt-get line and stops) and builds Allegro for Windows once per machine
# (scripts/allegro_windows.sh). The last line of output is the zip's path:
#   build/windows/drive-<version>-windows.zip
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh windows
scripts/allegro_windows.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target windows_zip -j "$(nproc)"
cat build/windows/zip_path.txt
