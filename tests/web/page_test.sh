#!/bin/bash
# The page end to end (page_test.js), against the Linux build's first
# frame: the program at rest under this Xvfb (run it under with_xvfb.sh)
# draws the same picture every frame, taken once two screenshots agree.
#   page_test.sh FOLDER DRIVE DATA_DIR WRITE_BMP_CASES NODE [SCREENSHOT_DIR]
FOLDER=$1 DRIVE=$2 DATA_DIR=$3 WRITE_BMP_CASES=$4 NODE=$5
. "$(dirname "$0")/../e2e/lib.sh"
[ -f "$FOLDER/index.html" ] || fail "no page in $FOLDER (build the web preset)"
[ -x "$DRIVE" ] || fail "no Linux build at $DRIVE (build the default preset first)"

# Screenshot $1 is the sky over the road and the same as $2.
still_frame() {
  shot "$1"
  [ "$(convert "$1" -crop 640x40+0+0 -scale 1x1! -depth 8 txt:- |
    grep -c '(12[78],12[78],255)')" -eq 1 ] &&
    [ -f "$2" ] && [ "$(pixels_differing "$1" "$2")" -eq 0 ]
}

make_workdir
start_drive
find_window 30 || fail "the Linux build shows no window"
deadline=$((SECONDS + 30))
until still_frame "$WORKDIR/linux.png" "$WORKDIR/before.png"; do
  [ "$SECONDS" -le "$deadline" ] || fail "the Linux build shows no still road"
  cp "$WORKDIR/linux.png" "$WORKDIR/before.png"
  sleep 0.2
done
hold_key Escape
wait_exit 10

mkdir "$WORKDIR/cases"
"$WRITE_BMP_CASES" "$WORKDIR/cases" >"$WORKDIR/cases/list.txt" ||
  fail "cannot write the cases"
"$NODE" "$(dirname "$0")/page_test.js" "$FOLDER" "$WORKDIR/linux.png" \
  "$WORKDIR/cases" "$WORKDIR"
status=$?
[ -n "${6:-}" ] && cp "$WORKDIR"/*.png "$6"/
exit "$status"
