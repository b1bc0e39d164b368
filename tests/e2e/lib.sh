# Helpers for end-to-end tests of the real program under Xvfb (see
# tests/with_xvfb.sh). Keys are real X key events from xdotool, held for
# at least 0.1 s: the program polls the keyboard every 20 ms and never
# sees a key pressed and released between two polls.
# shellcheck shell=bash

# Every test script takes the program and the folder of its images.
DRIVE=$(realpath "$DRIVE")
DATA_DIR=$(realpath "$DATA_DIR")

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DRIVE_PID:-}" ] && kill -9 "$DRIVE_PID" 2>/dev/null
  exit 1
}

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

# Waits up to $1 seconds for a visible window of class $2 (or the
# program's own window) and sets WINDOW. The library also makes an
# unmapped placeholder window, which --onlyvisible passes over.
find_window() {
  local limit=$1 pattern=${2:-} deadline=$((SECONDS + $1))
  WINDOW=""
  while [ "$SECONDS" -le "$deadline" ]; do
    if [ -n "$pattern" ]; then
      WINDOW=$(xdotool search --onlyvisible --class "$pattern" 2>/dev/null | head -1)
    else
      WINDOW=$(xdotool search --onlyvisible --name '^drive$' 2>/dev/null | head -1)
    fi
    [ -n "$WINDOW" ] && return 0
    kill -0 "$DRIVE_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  echo "no window after ${limit}s" >&2
  return 1
}

# Where keys go: the program's window, or with KEYS_TO_FOCUS set the
# focused window, through XTEST, for programs that pass over events sent
# to a window (Wine's).
key_target() {
  [ -n "${KEYS_TO_FOCUS:-}" ] || echo "--window $WINDOW"
}

# Holds key $1 for $2 seconds (default 0.15) in the program's window.
hold_key() {
  # xdotool warns that Xvfb with no window manager reports odd focus.
  # shellcheck disable=SC2046 # key_target gives separate words
  xdotool keydown $(key_target) "$1" 2>/dev/null
  sleep "${2:-0.15}"
  # shellcheck disable=SC2046
  xdotool keyup $(key_target) "$1" 2>/dev/null
}

# Holds key $1 until the command $3... succeeds, checking every 0.3 s,
# for at most $2 seconds. A loaded machine draws fewer frames, and the
# model advances one step per frame, so effects take longer to show.
hold_key_until() {
  local key=$1 limit=$2 deadline status=1
  shift 2
  deadline=$((SECONDS + limit))
  # shellcheck disable=SC2046
  xdotool keydown $(key_target) "$key" 2>/dev/null
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.3
    if "$@"; then
      status=0
      break
    fi
  done
  # shellcheck disable=SC2046
  xdotool keyup $(key_target) "$key" 2>/dev/null
  return "$status"
}

# Waits up to $1 seconds for the program to end and sets STATUS to its
# exit status; fails if it is still running.
wait_exit() {
  local deadline
  deadline=$(($(date +%s%N) + ${1%.*} * 1000000000))
  while kill -0 "$DRIVE_PID" 2>/dev/null; do
    [ "$(date +%s%N)" -lt "$deadline" ] || fail "still running after $1 s"
    sleep 0.05
  done
  wait "$DRIVE_PID"
  STATUS=$?
  DRIVE_PID=""
}

# Screenshot of the whole screen as PNG.
shot() {
  import -window root "$1"
}

# Number of pixels that differ between two images (by more than 2%).
pixels_differing() {
  compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Waits for the message box that the program opened with xmessage, sets
# MESSAGE to its text (the last word of xmessage's command line) and
# presses its OK button with Return. The box is a child of the program,
# or of MESSAGE_PARENT when the program runs under another process.
answer_message() {
  local deadline=$((SECONDS + ${1:-10})) pid="" box=""
  while [ -z "$box" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "no message box appeared"
    kill -0 "$DRIVE_PID" 2>/dev/null || fail "ended without a message box"
    pid=$(pgrep -P "${MESSAGE_PARENT:-$DRIVE_PID}" -x xmessage | head -1)
    [ -n "$pid" ] && box=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | head -1)
    sleep 0.1
  done
  local args
  mapfile -d '' args <"/proc/$pid/cmdline"
  MESSAGE=${args[-1]}
  xdotool key --window "$box" Return 2>/dev/null
}
