#!/bin/bash
# Records the animated picture at the top of the README: the real program
# on a private Xvfb, driven by xdotool (throttle, a bend to the left, the
# brake), its screen grabbed by ffmpeg and made into an animated WebP of
# at most 2 MB. Run by hand after a build; the tests do not run it.
#   scripts/record_drive.sh [DRIVE [OUTPUT]]
# DRIVE defaults to build/default/drive, OUTPUT to docs/drive.webp. Needs
# xvfb, xdotool and ffmpeg.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
drive=$(realpath "${1:-$root/build/default/drive}")
output=$(realpath -m "${2:-$root/docs/drive.webp}")
limit=$((2 * 1024 * 1024)) # bytes

# Everything below runs on its own Xvfb.
if [ -z "${RECORD_DRIVE_ON_XVFB:-}" ]; then
  RECORD_DRIVE_ON_XVFB=1 exec "$root/tests/with_xvfb.sh" "$0" "$drive" "$output"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tests' waits: for the window, then for the road drawn and still.
DRIVE=$drive DATA_DIR=$root/data DRIVE_OUT=$work/drive.log
. "$root/tests/e2e/lib.sh"
cd "$DATA_DIR"
"$drive" >"$DRIVE_OUT" 2>&1 &
DRIVE_PID=$!
find_window
wait_for_road "$work/start.png"

# Keys are held, never tapped: the program polls every 20 ms.
hold() { key "$1" keydown || true; }
release() { key "$1" keyup || true; }

# 11 s of the screen at 15 frames a second, losslessly, then the drive.
# The wheel turns by pi/1024 per poll, so 0.5 s of Left is about 4.4
# degrees: a bend, where a longer hold would spin the car.
ffmpeg -loglevel error -f x11grab -framerate 15 -video_size 640x480 \
  -i "$DISPLAY" -t 11 -c:v ffv1 "$work/drive.mkv" &
grab_pid=$!
sleep 0.8 # at rest
hold Up
sleep 2.5 # throttle up
hold Left
sleep 0.5 # into a bend to the left, still on the throttle
release Left
sleep 0.8
hold Right
sleep 0.5 # and out of it
release Right
sleep 1
release Up
hold space
sleep 3 # brake to a stop
release space
wait "$grab_pid"
hold_key_until_exit Escape || true # its key up fails once the window has gone

# Lossy WebP at the program's own size and frame rate; lower quality
# only if it would not fit.
make_webp() {
  ffmpeg -loglevel error -y -i "$work/drive.mkv" -c:v libwebp_anim \
    -lossless 0 -quality "$1" -loop 0 "$output"
}
make_webp 70
[ "$(stat -c %s "$output")" -le "$limit" ] || make_webp 40
size=$(stat -c %s "$output")
[ "$size" -le "$limit" ] || { echo "record_drive: $output is $size bytes" >&2; exit 1; }
echo "record_drive: wrote $output, $size bytes"
