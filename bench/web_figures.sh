#!/bin/sh
# The web build's figures in one run, for docs/performance.md: the
# physics step native and as wasm under node (the same drive,
# step_time.cpp), then the page in headless Chromium
# (web_page_figures.js), as it is and with the CPU slowed four times (a
# mid-range phone's stand-in), beside its floor page. Needs both builds:
#   cmake --preset default && cmake --build --preset default --target step_time
#   scripts/web.sh && cmake --build --preset web --target web_step_time web_floor
#   bench/web_figures.sh [STARTS [OTHER_FOLDER]]
# OTHER_FOLDER: another build of the page, whose visits take turns with
# this one's (web_page_figures.js).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export NODE_PATH
echo "native step: $("$root/build/default/bench/step_time")"
echo "wasm step under node $(node --version): $(node "$root/build/web/tests/web/web_step_time.js")"
for rate in 1 4; do
  node "$root/bench/web_page_figures.js" "$(cat "$root/build/web/folder_path.txt")" \
    "${1:-5}" "$rate" ${2:+"$2"}
done
