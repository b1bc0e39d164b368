#!/bin/bash
# A drive with real keys: Up makes the picture move, Left turns it, F12
# brings back the start view and Escape ends with status 0.
#   drive_keys_test.sh DRIVE DATA_DIR [SCREENSHOT_DIR]
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

# How far a picture is from its mirror image: the view down the centre
# line at heading 0 is symmetric but for the road's grain, which a 15%
# tolerance passes over; a turned view is not.
asymmetry() {
  convert "$1" -flop "$1.flop.png"
  compare -metric AE -fuzz 15% "$1" "$1.flop.png" null: 2>&1 | cut -d' ' -f1
}

make_workdir
start_drive
find_window 10 || fail "no window appeared"
sleep 1
shot "$WORKDIR/start.png"

hold_key Up 3
shot "$WORKDIR/moving.png"
moved=$(pixels_differing "$WORKDIR/start.png" "$WORKDIR/moving.png")
[ "$moved" -gt 10000 ] || fail "holding Up changed only $moved pixels"

hold_key Left 1.5
sleep 0.5
shot "$WORKDIR/turned.png"
straight=$(asymmetry "$WORKDIR/moving.png")
turned=$(asymmetry "$WORKDIR/turned.png")
[ "$turned" -gt $((straight * 2 + 5000)) ] ||
  fail "holding Left: asymmetry $turned against $straight going straight"
[ -n "${3:-}" ] && cp "$WORKDIR"/*.png "$3"/

hold_key F12
sleep 1
shot "$WORKDIR/reset.png"
back=$(pixels_differing "$WORKDIR/start.png" "$WORKDIR/reset.png")
[ "$back" -lt 3000 ] || fail "after F12 $back pixels differ from the start"

hold_key Escape
wait_exit 2
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
[ -n "${3:-}" ] && cp "$WORKDIR"/*.png "$3"/
echo "ok: moved $moved px; asymmetry $straight -> $turned; reset $back px"
