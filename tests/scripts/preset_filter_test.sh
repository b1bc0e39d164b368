#!/bin/bash
# scripts/preset_filter.cmake, on a made-up build of three tests and
# test presets that filter it: it passes a filter whose every name and
# label is a test's, and fails, naming it, one that names a test or a
# label there is none of, as after a rename; a pattern it cannot split
# into names fails too.
#   preset_filter_test.sh PRESET_FILTER_CMAKE
set -u
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/checks.sh"

cat >"$work/CMakeLists.txt" <<'END'
cmake_minimum_required(VERSION 3.25)
project(made_up NONE)
enable_testing()
foreach(name e2e.slow_1 e2e.slow_2 unit.quick)
  add_test(NAME ${name} COMMAND true)
endforeach()
set_tests_properties(e2e.slow_1 PROPERTIES LABELS "soak")
END
cmake -S "$work" -B "$work/build" >/dev/null || fail "the made-up build"

# PRESET FILTER EXPECTED: the check of test preset PRESET with that
# filter (JSON) passes, or fails with a message holding EXPECTED.
try() {
  local preset=$1 filter=$2 expected=$3 out
  CASE=$preset
  printf '{"version": 6, "testPresets": [{"name": "%s", "filter": %s}]}\n' \
    "$preset" "$filter" >"$work/presets.json"
  if out=$(cmake -DPRESET="$preset" -DBUILD="$work/build" \
    -DPRESETS="$work/presets.json" -P "$check" 2>&1); then
    [ "$expected" = pass ] || fail "passed, expected: $expected"
  else
    [ "$expected" != pass ] || fail "failed: $out"
    # CMake wraps its messages' lines.
    out=$(tr -s ' \n' '  ' <<<"$out")
    grep -qF "$expected" <<<"$out" || fail "no \"$expected\" in: $out"
  fi
}

try all_there '{"exclude": {"label": "soak", "name": "^(e2e\\.slow_[12]|unit\\.quick)$"}}' pass
try prefixes '{"include": {"name": "^(e2e\\.|unit)"}}' pass
try renamed '{"exclude": {"name": "^(e2e\\.slow|unit\\.quick)$"}}' 'names e2e\.slow, which matches no test'
try label_gone '{"exclude": {"label": "long"}}' 'the label long, which no test has'
try nested '{"exclude": {"name": "^(e2e\\.(slow_1|slow_2))$"}}' 'write it as ^(NAME|NAME...)$'
try no_preset_here '{}' pass
checks_status || exit 1
echo "ok: filters of tests there pass; a name or label of none fails"
