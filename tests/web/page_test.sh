#!/bin/bash
# The page end to end (page_test.js), against the Linux build's first
# frame: the program at rest under this Xvfb (run it under with_xvfb.sh)
# draws the same picture every frame, taken once the road holds still.
#   page_test.sh FOLDER DRIVE DATA_DIR WRITE_BMP_CASES NODE [SCREENSHOT_DIR]
FOLDER=$1 DRIVE=$2 DATA_DIR=$3 WRITE_BMP_CASES=$4 NODE=$5
. "$(dirname "$0")/../e2e/lib.sh"
[ -f "$FOLDER/index.html" ] || fail "no page in $FOLDER (build the web preset)"
[ -x "$DRIVE" ] || fail "no Linux build at $DRIVE (build the default preset first)"

make_workdir
start_drive
find_window
wait_for_road "$WORKDIR/linux.png"
hold_key_until_exit Escape
[ "$STATUS" -eq 0 ] || fail "the Linux build ended with status $STATUS"

mkdir "$WORKDIR/cases"
"$WRITE_BMP_CASES" "$WORKDIR/cases" >"$WORKDIR/cases/list.txt" ||
  fail "cannot write the cases"
"$NODE" "$(dirname "$0")/page_test.js" "$FOLDER" "$WORKDIR/linux.png" \
  "$WORKDIR/cases" "$WORKDIR"
status=$?
[ -n "${6:-}" ] && cp "$WORKDIR"/*.png "$6"/
exit "$status"
