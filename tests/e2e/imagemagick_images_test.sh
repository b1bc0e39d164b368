#!/bin/bash
# The shipped images rewritten by ImageMagick in its default layout, the
# V5 header, show the very frame that the shipped ones show.
#   imagemagick_images_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

# Screenshot $1 of the car at rest at the start.
first_frame() {
  start_drive
  find_window
  wait_for_road "$1"
  hold_key_until_exit Escape
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
}

make_workdir
shots=$(mktemp -d)
first_frame "$shots/shipped.png"
for name in lep emblem; do
  convert "$DATA_DIR/$name.bmp" "BMP:$WORKDIR/$name.bmp"
  header=$(od -An -tu4 -j14 -N4 "$WORKDIR/$name.bmp" | tr -d ' ')
  [ "$header" = 124 ] || fail "$name.bmp has a $header-byte header, not V5"
done
first_frame "$shots/v5.png"
differ=$(pixels_differing "$shots/shipped.png" "$shots/v5.png")
rm -rf "$shots"
[ "$differ" = 0 ] || fail "$differ pixels differ from the shipped images' frame"
echo "ok: V5 images give the shipped images' frame"
