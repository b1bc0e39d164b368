# Checks that go on after a failure, so that one run reports them all:
# fail says what failed, and the script ends with checks_status.
# shellcheck shell=bash
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The status to end with: 0 when nothing failed.
checks_status() {
  [ "$failures" -eq 0 ]
}
