#!/bin/bash
# run_fuzzer.sh fails on a find and names it, and fails without claiming
# a find when the fuzzer stops with none kept (its runtime would not
# start, say). Stand-in fuzzers, so no clang is needed; a clean run is
# the fuzz preset's own fuzz.image_file.
#   run_fuzzer_test.sh
set -u
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/../support/checks.sh"

# case | the stand-in's body | a line the failing run's output must hold
cases=(
  "find | touch \"\${prefix}crash-1\"; exit 1 | crash-1"
  "no start | echo CHECK failed; exit 3 | ended with status 3 and kept no input"
)
for c in "${cases[@]}"; do
  IFS='|' read -r CASE body says <<<"$c"
  CASE=${CASE% } says=${says# }
  printf '#!/bin/bash\nfor a; do case $a in -artifact_prefix=*) prefix=${a#*=} ;; esac; done\n%s\n' \
    "$body" >"$work/fuzzer"
  chmod +x "$work/fuzzer"
  out=$("$here/run_fuzzer.sh" "$work/fuzzer" "$here" "$work/run" 1 2>&1)
  got=$?
  [ "$got" = 1 ] || fail "status $got, not 1"
  grep -qF "$says" <<<"$out" || fail "no \"$says\" in: $out"
done
checks_status
