#!/bin/bash
# Starts COMMAND as someone at a desktop starts the program, and once its
# window shows holds Escape until it has ended; the status is its own.
# Run from the top of the sources, under tests/with_xvfb.sh.
#   escape_drive.sh COMMAND
set -u
DRIVE=$(command -v "$1")
export DRIVE DATA_DIR=data # lib.sh reads both
. "$(dirname "$0")/../e2e/lib.sh"
make_workdir
start_drive
find_window
hold_key_until_exit Escape
tail -5 "$WORKDIR/out.txt"
echo "the window showed; Escape ended it with status $STATUS"
exit "$STATUS"
