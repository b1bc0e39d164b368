#!/bin/bash
# The zip as a user gets it, under Wine: unzipped, drive.exe opens its
# 640x480 window showing sky and road, holding Up moves the view and
# Escape ends it with status 0; without lep.bmp it shows the program's
# message box and ends with status 1 once the box is closed.
#   e2e_test.sh ZIP
# Run it under with_xvfb.sh and with_wine.sh.
ZIP=$(realpath "$1")
DRIVE=$ZIP DATA_DIR=$(dirname "$ZIP")
. "$(dirname "$0")/../e2e/lib.sh"
# Wine reads real key events only: keys go to the focused window.
KEYS_TO_FOCUS=1

# A fresh copy of the zip's folder in WORKDIR.
unzip_fresh() {
  WORKDIR=$(mktemp -d)
  trap 'rm -rf "$WORKDIR"' EXIT
  (cd "$WORKDIR" && cmake -E tar xf "$ZIP") || fail "cannot unzip $ZIP"
  FOLDER=$(echo "$WORKDIR"/drive-*-windows)
  [ -f "$FOLDER/drive.exe" ] || fail "no drive.exe in the zip"
}

# Starts drive.exe in its folder; Wine's messages (WINEDEBUG $1) and the
# program's output go to $WORKDIR/out.txt.
start_drive() {
  (cd "$FOLDER" && WINEDEBUG=${1:--all} exec wine drive.exe \
    >"$WORKDIR/out.txt" 2>&1) &
  DRIVE_PID=$!
}

drive_and_escape() {
  unzip_fresh
  start_drive
  find_window
  local size
  size=$(xdotool getwindowgeometry "$WINDOW" | grep Geometry)
  [ "${size##* }" = 640x480 ] || fail "window is ${size##* }, not 640x480"
  xdotool windowfocus "$WINDOW" 2>/dev/null
  wait_for_road "$WORKDIR/start.png"
  hold_key_until Up moved_from_start || fail "holding Up moved only $MOVED px"
  hold_key_until_exit Escape
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Escape, expected 0"
  echo "ok: 640x480 window, $COLOURS; Up moved $MOVED px; Escape gave 0"
  rm -rf "$WORKDIR"
}

# Sets TEXT to the message box's text, from Wine's trace of the box it
# opens; fails while there is none.
message_shown() {
  TEXT=$(grep -a 'MSGBOX_OnInit' "$WORKDIR/out.txt" | head -1 | sed 's/.*MSGBOX_OnInit //')
  [ -n "$TEXT" ]
}

# Presses Return and gives the program half a second to end. The box
# takes the focus once it is shown, after Wine's trace of it; then Return
# presses its OK button. Until then Return goes nowhere that matters (the
# program's window, which is not polling yet).
return_ends_it() {
  xdotool key Return
  sleep 0.5
  ! kill -0 "$DRIVE_PID" 2>/dev/null
}

missing_image() {
  unzip_fresh
  rm "$FOLDER/lep.bmp"
  start_drive trace+msgbox
  wait_for "message box" message_shown
  case "$TEXT" in
  *"imagen lep.bmp:"*"no se puede abrir el archivo"*) ;;
  *) fail "unexpected message: $TEXT" ;;
  esac
  wait_for "end after Return in the box" return_ends_it
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "exit status $STATUS, expected 1"
  echo "ok: without lep.bmp: $TEXT, status 1"
  rm -rf "$WORKDIR"
}

drive_and_escape
missing_image
