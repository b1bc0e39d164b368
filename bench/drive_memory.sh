#!/bin/bash
# Peak resident set of the real program during a 10 s drive with real
# keys under Xvfb, read from /proc just before Escape.
#   tests/with_xvfb.sh bench/drive_memory.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/../tests/e2e/lib.sh"

make_workdir
start_drive
find_window 20 || fail "no window appeared"
rss_start=$(awk '/VmRSS/ { print $2 }' "/proc/$DRIVE_PID/status")
hold_key Up 3
hold_key Left 1.5
hold_key Right 1.5
hold_key space 1
hold_key F2 0.2
hold_key Up 2
hold_key F12 0.2
peak=$(awk '/VmHWM/ { print $2 }' "/proc/$DRIVE_PID/status")
rss_end=$(awk '/VmRSS/ { print $2 }' "/proc/$DRIVE_PID/status")
hold_key Escape
wait_exit 5
echo "resident set: ${rss_start} kB at the first frame, ${rss_end} kB after" \
  "the drive, peak ${peak} kB"
