#!/bin/bash
# A drive with real keys: Up makes the picture move, Left turns it, F12
# brings back the start view and Escape ends with status 0. Each key is
# held until its effect shows.
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

# Screenshot $1 is far less symmetric than the straight-ahead view.
turned_away() {
  shot "$WORKDIR/$1.png"
  turned=$(asymmetry "$WORKDIR/$1.png")
  [ "$turned" -gt $((straight * 2 + 5000)) ]
}

make_workdir
start_drive
find_window
wait_for_road "$WORKDIR/start.png"

hold_key_until Up moved_from_start moving ||
  fail "holding Up changed only $MOVED pixels"
moved=$MOVED
straight=$(asymmetry "$WORKDIR/moving.png")

hold_key_until Left turned_away turned ||
  fail "holding Left: asymmetry $turned against $straight going straight"
[ -n "${3:-}" ] && cp "$WORKDIR"/*.png "$3"/

hold_key_until F12 back_at_start reset ||
  fail "holding F12: $MOVED pixels differ from the start"

hold_key_until_exit Escape
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
echo "ok: moved $moved px; asymmetry $straight -> $turned; reset $MOVED px"
