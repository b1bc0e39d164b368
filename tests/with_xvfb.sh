#!/bin/bash
# Runs a command on a private Xvfb server: Xvfb picks a free display
# (-displayfd), so parallel runs never collide, and is stopped by its
# process id when the command ends. -noreset keeps the server up when its
# last client leaves. Extra server options come from XVFB_ARGS, such as
# "-extension GLX" for a server without OpenGL.
#   with_xvfb.sh COMMAND [ARGS...]
set -u

fifo_dir=$(mktemp -d)
xvfb_pid=""
# The server goes with this script however it ends, a time-out included.
stop_server() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$fifo_dir"
}
trap stop_server EXIT
trap 'exit 143' TERM INT
mkfifo "$fifo_dir/display"

# shellcheck disable=SC2086 # XVFB_ARGS holds separate options
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 640x480x24 ${XVFB_ARGS:-} \
  3>"$fifo_dir/display" 2>"$fifo_dir/xvfb.log" &
xvfb_pid=$!
read -r -t 60 display_number <"$fifo_dir/display"
if [ -z "${display_number:-}" ]; then
  echo "with_xvfb.sh: Xvfb did not start" >&2
  cat "$fifo_dir/xvfb.log" >&2
  exit 1
fi

export DISPLAY=":$display_number"
# Mesa's software rasteriser; no GPU on a test machine.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
"$@"
