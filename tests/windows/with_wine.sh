#!/bin/bash
# Runs a command with the Wine prefix $WINEPREFIX, a folder of the build:
# makes the prefix on first use (wineboot takes a while, later starts a
# second or two) and stops its wineserver however the command ends, so no
# Wine process outlives the test. Wine's own chatter is off unless
# WINEDEBUG asks for it.
#   with_wine.sh COMMAND [ARGS...]     e.g. with_wine.sh wine prog.exe
set -u
: "${WINEPREFIX:?with_wine.sh: WINEPREFIX must name the test prefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}

stop_wine() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
trap stop_wine EXIT
trap 'exit 143' TERM INT

ready=$WINEPREFIX/drive-prefix-ready
if [ ! -f "$ready" ]; then
  rm -rf "$WINEPREFIX"
  # No Mono or Gecko: Wine would offer to download them.
  if ! WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >/dev/null 2>&1; then
    echo "with_wine.sh: wineboot failed in $WINEPREFIX" >&2
    exit 1
  fi
  wineserver -w
  touch "$ready"
fi
"$@"
