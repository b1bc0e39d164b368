#!/bin/sh
# Builds the demo as a web page with emscripten: a folder to serve as
# static files (index.html, its scripts, drive.js and drive.wasm, the two
# images) and a zip of it. Installs the Debian packages it needs when
# missing (as root; otherwise it prints the apt-get line and stops). The
# last line of output is the folder's path:
#   build/web/drive-<version>-web/
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh web
# Debian's emcc runs parts of itself under node with modules from
# /usr/share/nodejs (acorn), where Debian's own node looks by itself and
# another build of node (nodesource's, say) only when told; the web
# presets set it for the build too.
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export NODE_PATH
cmake --preset web >/dev/null
cmake --build --preset web --target web_folder -j "$(nproc)"
folder=$(cat build/web/folder_path.txt)
echo "zip: ${folder%/}.zip"
echo "$folder"
