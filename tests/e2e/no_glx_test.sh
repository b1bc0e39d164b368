#!/bin/bash
# On an X server without GLX the display mode cannot be set: one message
# with the library's reason, status 1, and neither image is opened.
#   no_glx_test.sh DRIVE DATA_DIR      (run on an Xvfb with -extension GLX)
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

make_workdir
if strace -o /dev/null true 2>/dev/null; then
  # strace exits with the program's status; the program is its child.
  (cd "$WORKDIR" && exec strace -f -qq -e trace=open,openat \
    -o "$WORKDIR/trace" "$DRIVE" >"$WORKDIR/out.txt" 2>&1) &
  DRIVE_PID=$!
  traced() { MESSAGE_PARENT=$(pgrep -P "$DRIVE_PID" -x drive); }
  wait_for "program under strace" traced
else
  # No ptrace here, as in a root emulated by qemu-user: the message and
  # the status are still checked, the files opened are not.
  echo "strace cannot trace here: not checking which files are opened"
  (cd "$WORKDIR" && exec "$DRIVE" >"$WORKDIR/out.txt" 2>&1) &
  DRIVE_PID=$!
fi
answer_message
wait_exit
[ "$STATUS" -eq 1 ] || fail "exit status $STATUS, expected 1"
case "$MESSAGE" in
"Error durante el establecimiento del modo grafico:"$'\n'?*) ;;
*) fail "unexpected message: $MESSAGE" ;;
esac
[ ! -f "$WORKDIR/trace" ] || ! grep -E '"(lep|emblem)\.bmp"' "$WORKDIR/trace" ||
  fail "an image was opened"
echo "ok: $MESSAGE" | tr '\n' ' '
echo
