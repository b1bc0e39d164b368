#!/bin/bash
# The real program starts on Xvfb and draws the road, and a real Escape
# ends it with status 0.
#   escape_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

make_workdir
start_drive
find_window
wait_for_road "$WORKDIR/road.png"
hold_key_until_exit Escape
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
echo "ok: the road drawn; Escape ended the program with status 0"
