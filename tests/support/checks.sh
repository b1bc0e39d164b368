# What every script test shares: fail says what failed (after CASE, the
# case at hand, when set). By default the script goes on, so that one run
# reports every failed check, and ends with checks_status; a script whose
# every step needs the one before sets fail_stops, and fail then ends it
# at once, with the program under test (DRIVE_PID) killed.
# shellcheck shell=bash
failures=0
fail() {
  echo "FAIL: ${CASE:+$CASE: }$*" >&2
  failures=$((failures + 1))
  if [ -n "${fail_stops:-}" ]; then
    [ -n "${DRIVE_PID:-}" ] && kill -9 "$DRIVE_PID" 2>/dev/null
    exit 1
  fi
}

# The status to end with: 0 when nothing failed.
checks_status() {
  [ "$failures" -eq 0 ]
}
