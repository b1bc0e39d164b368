#!/bin/bash
# run_fuzzer.sh fails on a find and names it, fails without claiming a
# find when the fuzzer stops with none kept (its runtime would not start,
# say), and passes a clean run. Stand-in fuzzers, so no clang is needed.
#   run_fuzzer_test.sh
set -u
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/../support/checks.sh"

# case | the stand-in's body | its status | a line its output must hold
cases=(
  "clean run | echo stat::number_of_executed_units: 9 | 0 | stat::number_of_executed_units: 9"
  "find | touch \"\${prefix}crash-1\"; exit 1 | 1 | found an input that breaks the loader:"
  "find named | touch \"\${prefix}crash-1\"; exit 1 | 1 | crash-1"
  "no start | echo CHECK failed; exit 3 | 1 | ended with status 3 and kept no input"
)
for c in "${cases[@]}"; do
  IFS='|' read -r CASE body status says <<<"$c"
  CASE=${CASE% } status=${status// /} says=${says# }
  printf '#!/bin/bash\nfor a; do case $a in -artifact_prefix=*) prefix=${a#*=} ;; esac; done\n%s\n' \
    "$body" >"$work/fuzzer"
  chmod +x "$work/fuzzer"
  out=$("$here/run_fuzzer.sh" "$work/fuzzer" "$here" "$work/run" 1 2>&1)
  got=$?
  [ "$got" = "$status" ] || fail "status $got, not $status"
  grep -qF "$says" <<<"$out" || fail "no \"$says\" in: $out"
  [ "$CASE" != "no start" ] || ! grep -qF "breaks the loader" <<<"$out" ||
    fail "a fuzzer that kept no input is said to have found one"
done
checks_status
