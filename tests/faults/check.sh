#!/bin/sh
# Checks that the suite catches each deliberate fault of faults.tsv: puts
# the fault into the work tree, rebuilds the preset, runs the named tests
# and puts the file back. A fault is caught when those tests fail. Prints
# one line per fault and fails if any was missed or did not apply. Build
# the presets first (the web preset with scripts/web.sh).
#   tests/faults/check.sh [NAME...]   every fault, or the ones named
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root" || exit 1
table=tests/faults/faults.tsv
work=$(mktemp -d)
missed=0

# Puts the file back however the run ends, with a new time so that the
# next build compiles it again.
restore() {
  [ -f "$work/saved" ] && cp "$work/saved" "$work_file" && rm -f "$work/saved"
}
trap 'restore; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# Whether fault $1 is among the names after "--" (all when none is).
wanted() {
  want=$1
  shift 2
  [ $# -eq 0 ] && return 0
  for n in "$@"; do [ "$n" = "$want" ] && return 0; done
  return 1
}

# Runs one fault; prints its line and returns non-zero unless caught.
try_fault() {
  name=$1 preset=$2 tests=$3 work_file=$4 script=$5
  cp -p "$work_file" "$work/saved"
  sed -i -e "$script" "$work_file"
  if cmp -s "$work_file" "$work/saved"; then
    restore
    echo "$name: NOT APPLIED ($work_file unchanged)"
    return 1
  fi
  if ! cmake --build --preset "$preset" -j 2 >"$work/build.log" 2>&1; then
    restore
    echo "$name: DOES NOT BUILD"
    return 1
  fi
  # A pattern that names no test would fail for that reason alone.
  if ! ctest --preset "$preset" -N -R "$tests" | grep -q "Test *#"; then
    restore
    echo "$name: NO TEST matches $tests"
    return 1
  fi
  ctest --preset "$preset" -R "$tests" >"$work/test.log" 2>&1
  status=$?
  restore
  if [ "$status" -eq 0 ]; then
    echo "$name: MISSED by $tests"
    return 1
  fi
  failed=$(sed -n 's/^[ \t]*[0-9]* - \([^ ]*\) .*/\1/p' "$work/test.log" |
    head -3 | tr '\n' ' ')
  echo "$name: caught by ${failed:-its tests}"
}

presets=""
tab=$(printf '\t')
while IFS="$tab" read -r name preset tests file script what; do
  case "$name" in '#'* | '') continue ;; esac
  wanted "$name" -- "$@" || continue
  try_fault "$name" "$preset" "$tests" "$file" "$script" || missed=$((missed + 1))
  case " $presets " in *" $preset "*) ;; *) presets="$presets $preset" ;; esac
done <"$table"
# The restored sources, built again.
for preset in $presets; do
  cmake --build --preset "$preset" -j 2 >/dev/null 2>&1
done
echo "$missed fault(s) not caught"
[ "$missed" -eq 0 ]
