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

# The colour of one pixel of a screenshot as "r,g,b" in 0..255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Sky at the top (the clear colour 0.5, 0.5, 1.0), grey road at the bottom.
shows_road() {
  local sky road
  sky=$(pixel "$1" 320 40)
  road=$(pixel "$1" 100 440)
  echo "sky $sky, road $road"
  case "$sky" in 127,127,255 | 128,128,255) ;; *) return 1 ;; esac
  local r g b
  IFS=, read -r r g b <<<"$road"
  [ $((r - g)) -le 20 ] && [ $((g - r)) -le 20 ] && [ $((b - g)) -le 20 ] &&
    [ $((g - b)) -le 20 ] && [ "$r" -gt 30 ] && [ "$r" -lt 200 ]
}

moved_from_start() {
  shot "$WORKDIR/moving.png"
  moved=$(pixels_differing "$WORKDIR/start.png" "$WORKDIR/moving.png")
  [ "$moved" -gt 10000 ]
}

drive_and_escape() {
  unzip_fresh
  start_drive
  find_window 60 || fail "no window appeared: $(cat "$WORKDIR/out.txt")"
  local size
  size=$(xdotool getwindowgeometry "$WINDOW" | grep Geometry)
  [ "${size##* }" = 640x480 ] || fail "window is ${size##* }, not 640x480"
  xdotool windowfocus "$WINDOW" 2>/dev/null
  # The window is mapped before its first frame is drawn.
  local deadline=$((SECONDS + 20))
  until shot "$WORKDIR/start.png" && colours=$(shows_road "$WORKDIR/start.png"); do
    [ "$SECONDS" -le "$deadline" ] || fail "no road: $colours"
    sleep 0.5
  done
  hold_key_until Up 15 moved_from_start || fail "holding Up moved only $moved px"
  xdotool key --delay 150 Escape
  hold_key Escape 0.3
  wait_exit 10
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS after Escape, expected 0"
  echo "ok: 640x480 window, $colours; Up moved $moved px; Escape gave 0"
  rm -rf "$WORKDIR"
}

# The message box's text, from Wine's trace of the box it opens.
message_text() {
  grep -a 'MSGBOX_OnInit' "$WORKDIR/out.txt" | head -1 | sed 's/.*MSGBOX_OnInit //'
}

missing_image() {
  unzip_fresh
  rm "$FOLDER/lep.bmp"
  start_drive trace+msgbox
  local deadline=$((SECONDS + 60))
  until [ -n "$(message_text)" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "no message box appeared"
    kill -0 "$DRIVE_PID" 2>/dev/null || fail "ended without a message box"
    sleep 0.2
  done
  local text
  text=$(message_text)
  case "$text" in
  *"imagen lep.bmp:"*"no se puede abrir el archivo"*) ;;
  *) fail "unexpected message: $text" ;;
  esac
  # The box takes the focus; Return presses its OK button.
  sleep 1
  xdotool key Return
  wait_exit 15
  [ "$STATUS" -eq 1 ] || fail "exit status $STATUS, expected 1"
  echo "ok: without lep.bmp: $text, status 1"
  rm -rf "$WORKDIR"
}

drive_and_escape
missing_image
