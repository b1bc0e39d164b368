#!/bin/bash
# The real program starts on Xvfb and draws the road in a window of the
# class that the desktop entry's StartupWMClass names, and a real Escape
# ends it with status 0.
#   escape_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"
desktop_entry=$(dirname "$0")/../../packaging/drive.desktop

make_workdir
start_drive
find_window
wait_for_road "$WORKDIR/road.png"

# Docks match a window to its desktop entry by WM_CLASS, by either part:
# both are the program's name.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
[ "$wm_class" = "$(basename "$DRIVE")" ] ||
  fail "StartupWMClass \"$wm_class\" in $desktop_entry is not the program's name"
class=$(xprop -id "$WINDOW" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ] ||
  fail "the window's $class, not \"$wm_class\" as the desktop entry says"

hold_key_until_exit Escape
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS, expected 0"
echo "ok: the road drawn in a window of class $wm_class; Escape ended it with status 0"
