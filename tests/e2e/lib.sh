# Helpers for end-to-end tests of the real program under Xvfb (see
# tests/with_xvfb.sh). Keys are real X key events from xdotool. Every
# step waits for the effect it needs (the window, the road drawn, the
# view moved, the message box, the program's end) and ends as soon as it
# sees it: a loaded machine draws fewer frames, and the program polls
# the keyboard and steps the model at most once per frame, so effects
# only take longer. The deadline, PATIENCE seconds for each step, only
# ends a run that has really gone wrong.
# shellcheck shell=bash
. "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
fail_stops=1

# Every test script takes the program and the folder of its images.
DRIVE=$(realpath "$DRIVE")
DATA_DIR=$(realpath "$DATA_DIR")
PATIENCE=${PATIENCE:-60}

# A fresh working directory holding the committed images.
make_workdir() {
  WORKDIR=$(mktemp -d)
  cp "$DATA_DIR/lep.bmp" "$DATA_DIR/emblem.bmp" "$WORKDIR/"
  trap 'rm -rf "$WORKDIR"' EXIT
}

# Starts the program in $WORKDIR; its output goes to $WORKDIR/out.txt.
# DRIVE_ENV may hold VAR=VALUE words for the program's environment alone.
start_drive() {
  # shellcheck disable=SC2086 # DRIVE_ENV is meant to split into words
  (cd "$WORKDIR" && exec env ${DRIVE_ENV:-} "$DRIVE" >"$WORKDIR/out.txt" 2>&1) &
  DRIVE_PID=$!
}

# Fails unless the program is still running; $1 says what it was doing.
# Its output is in DRIVE_OUT, by default $WORKDIR/out.txt.
still_running() {
  kill -0 "$DRIVE_PID" 2>/dev/null ||
    fail "ended $1: $(cat "${DRIVE_OUT:-$WORKDIR/out.txt}" 2>&1)"
}

# Runs the command until it succeeds, at first every 10 ms and then less
# often, up to every 0.1 s: most effects come within a few frames, and a
# run of hundreds of programs waits for each. Fails if the program ends
# first or after PATIENCE seconds, saying that WHAT never came.
wait_for() {
  local what=$1 deadline=$((SECONDS + PATIENCE)) pause=0.01
  shift
  until "$@"; do
    # A program that ended since the command looked may have left what
    # was waited for.
    kill -0 "$DRIVE_PID" 2>/dev/null || "$@" || still_running "before $what"
    [ "$SECONDS" -le "$deadline" ] || fail "no $what after $PATIENCE s"
    sleep "$pause"
    case "$pause" in 0.01) pause=0.02 ;; 0.02) pause=0.05 ;; *) pause=0.1 ;; esac
  done
}

# Waits for the program's visible window and sets WINDOW. The library
# also makes an unmapped placeholder window, which --onlyvisible passes
# over.
find_window() {
  wait_for "window" visible_window --name '^drive$'
}
# Sets WINDOW to a visible window that xdotool's search finds.
visible_window() {
  WINDOW=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1) &&
    [ -n "$WINDOW" ]
}

# Screenshot of the whole screen as PNG.
shot() {
  import -window root "$1"
}

# Number of pixels that differ between two images (by more than 2%).
pixels_differing() {
  compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# The colour of one pixel of image $1 at $2,$3 as "r,g,b" in 0..255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Screenshot $1 shows sky at the top (the clear colour 0.5, 0.5, 1.0) and
# grey road at the bottom; sets COLOURS to what it found.
shows_road() {
  local sky road r g b
  sky=$(pixel "$1" 320 40)
  road=$(pixel "$1" 100 440)
  COLOURS="sky $sky, road $road"
  case "$sky" in 127,127,255 | 128,128,255) ;; *) return 1 ;; esac
  IFS=, read -r r g b <<<"$road"
  [ $((r - g)) -le 20 ] && [ $((g - r)) -le 20 ] && [ $((b - g)) -le 20 ] &&
    [ $((g - b)) -le 20 ] && [ "$r" -gt 30 ] && [ "$r" -lt 200 ]
}

# Waits until the program has drawn the road and the view holds still
# (the same in two screenshots running), and keeps that view as $1. The
# window is mapped before its first frame is drawn; a car at rest with no
# key down is drawn the same in every frame. A message box instead of the
# road fails at once.
wait_for_road() {
  local deadline=$((SECONDS + PATIENCE)) last="$1.last.png"
  rm -f "$last"
  while :; do
    still_running "before it drew the road"
    ! pgrep -P "$DRIVE_PID" -x xmessage >/dev/null ||
      fail "a message box instead of the road"
    shot "$1"
    if shows_road "$1" && [ -f "$last" ] &&
      [ "$(pixels_differing "$last" "$1")" = 0 ]; then
      break
    fi
    [ "$SECONDS" -le "$deadline" ] || fail "no steady road after $PATIENCE s: $COLOURS"
    mv "$1" "$last"
  done
  rm -f "$last"
}

# Where keys go: the program's window, or with KEYS_TO_FOCUS set the
# focused window, through XTEST, for programs that pass over events sent
# to a window (Wine's).
key_target() {
  [ -n "${KEYS_TO_FOCUS:-}" ] || echo "--window $WINDOW"
}

# Presses key $1 down or lets it up ($2: keydown or keyup). xdotool warns
# that Xvfb with no window manager reports odd focus, and fails once the
# window has gone.
key() {
  # shellcheck disable=SC2046 # key_target gives separate words
  xdotool "$2" $(key_target) "$1" 2>/dev/null
}

# Holds key $1 until the command $2... succeeds, checking every 0.2 s;
# returns 1 after PATIENCE seconds, for the caller to say what it saw.
hold_key_until() {
  local key=$1 deadline=$((SECONDS + PATIENCE)) status=1
  shift
  key "$key" keydown
  while [ "$SECONDS" -le "$deadline" ]; do
    sleep 0.2
    if "$@"; then
      status=0
      break
    fi
    still_running "while $key was held"
  done
  key "$key" keyup
  return "$status"
}

# Holds key $1 (Escape) until the program has ended, and sets STATUS to
# its exit status.
hold_key_until_exit() {
  key "$1" keydown
  wait_for "end with $1 held" ended
  key "$1" keyup
  wait_exit
}

# Holds key $1 for $2 seconds of a drive, and on until the program has
# drawn two new frames with it down, so that its keyboard poll has seen
# the key however slowly the machine draws. The car must be moving, or
# the key must move it, for its frames to differ.
hold_key() {
  local key=$1 deadline=$((SECONDS + PATIENCE)) frames=0 until
  # In microseconds, as EPOCHREALTIME without its point. The sum is the
  # shell's, in 64 bits: mawk's %d stops at 2^31 - 1.
  until=$((${EPOCHREALTIME/./} + $(awk -v s="$2" 'BEGIN { printf "%d", s * 1e6 }')))
  key "$key" keydown
  # Raw screenshots compared byte for byte: quicker than PNG and compare,
  # and Mesa draws one scene the same every time.
  import -window root "ppm:$WORKDIR/frame.ppm"
  while [ "$frames" -lt 2 ] || [ "${EPOCHREALTIME/./}" -lt "$until" ]; do
    still_running "while $key was held"
    [ "$SECONDS" -le "$deadline" ] || fail "the view stood still with $key held"
    import -window root "ppm:$WORKDIR/next.ppm"
    if ! cmp -s "$WORKDIR/frame.ppm" "$WORKDIR/next.ppm"; then
      frames=$((frames + 1))
      mv "$WORKDIR/next.ppm" "$WORKDIR/frame.ppm"
    fi
  done
  key "$key" keyup
}

# Screenshot $WORKDIR/$1.png (now.png without $1), and MOVED: the number
# of its pixels that differ from $WORKDIR/start.png.
view_against_start() {
  shot "$WORKDIR/${1:-now}.png"
  MOVED=$(pixels_differing "$WORKDIR/start.png" "$WORKDIR/${1:-now}.png")
}

# The view has moved far from the start view, or is back at it.
moved_from_start() {
  view_against_start "$@"
  [ "$MOVED" -gt 10000 ]
}
back_at_start() {
  view_against_start "$@"
  [ "$MOVED" -lt 3000 ]
}

# Waits for the program to end and sets STATUS to its exit status.
wait_exit() {
  wait_for "end" ended
  wait "$DRIVE_PID"
  STATUS=$?
  DRIVE_PID=""
}
ended() {
  ! kill -0 "$DRIVE_PID" 2>/dev/null
}

# Waits for the message box that the program opened with xmessage and
# sets MESSAGE to its text (the last word of xmessage's command line) and
# BOX_PID to its process. The box is a child of the program, or of
# MESSAGE_PARENT when the program runs under another process.
read_message() {
  wait_for "message box" message_box
  # For a moment after its name has become xmessage, while the kernel is
  # still loading it, its command line reads empty: read until it holds
  # the message.
  wait_for "message in the box" message_read
}
message_box() {
  BOX_PID=$(pgrep -P "${MESSAGE_PARENT:-$DRIVE_PID}" -x xmessage | head -1)
  [ -n "$BOX_PID" ]
}
message_read() {
  local args
  mapfile -d '' args <"/proc/$BOX_PID/cmdline" 2>/dev/null
  [ "${#args[@]}" -gt 1 ] && MESSAGE=${args[-1]}
}

# Reads the message box (read_message) and presses its OK button with
# Return until the box has gone: a key that comes before the box is
# ready for it is lost.
answer_message() {
  local WINDOW # the box's, for return_to_box
  read_message
  wait_for "message box shown" visible_window --class xmessage
  wait_for "end of the message box" return_to_box
}
# Presses Return in the box and gives it a second to close.
return_to_box() {
  xdotool key --window "$WINDOW" Return 2>/dev/null
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$BOX_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
