#!/bin/bash
# With no X display the library cannot start: the program prints one
# message on standard output and exits with status 1, never by a signal.
#   no_display_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

make_workdir
out=$(cd "$WORKDIR" && env -u DISPLAY timeout "$PATIENCE" "$DRIVE" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "exit status $status, expected 1; output: $out"
case "$out" in
*"Error durante la inicializacion de Allegro:"*) ;;
*) fail "unexpected output: $out" ;;
esac
echo "ok: status 1 with: $out"
