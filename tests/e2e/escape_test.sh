#!/bin/bash
# The real program starts on Xvfb, draws, and a real Escape ends it with
# status 0 within 2 s.
#   escape_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

make_workdir
start_drive
find_window 10 || fail "no window appeared"
sleep 0.5
hold_key Escape
wait_exit 2
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
echo "ok: Escape ended the program with status 0"
