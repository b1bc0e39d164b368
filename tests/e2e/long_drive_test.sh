#!/bin/bash
# A scripted drive of over 10 s with real keys — throttle, both steering
# directions, both presets, brake, reset — then Escape: status 0 and no
# sanitizer report (in the sanitizer build). Each key is held for its
# part of the drive and on until the program has drawn frames with it
# down (lib.sh's hold_key), so every key is pressed while the car moves;
# F12 is held until the start view is back.
#   long_drive_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

make_workdir
start_drive
find_window
wait_for_road "$WORKDIR/start.png"
started=$SECONDS
hold_key Up 2.5
hold_key Left 1
hold_key Right 1
hold_key F2 0.2
hold_key space 1
hold_key Up 2
hold_key Left 1.2
hold_key F1 0.2
hold_key Right 0.8
hold_key_until F12 back_at_start || fail "holding F12: $MOVED pixels differ from the start"
hold_key Up 1
hold_key Down 0.3
elapsed=$((SECONDS - started))
[ "$elapsed" -ge 10 ] || fail "the drive took only $elapsed s"
hold_key_until_exit Escape
if grep -E "runtime error|Sanitizer" "$WORKDIR/out.txt"; then
  fail "sanitizer report above"
fi
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0: $(cat "$WORKDIR/out.txt")"
echo "ok: ${elapsed} s drive ended with status 0, no sanitizer report"
