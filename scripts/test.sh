#!/bin/sh
# Builds everything and runs every test: the normal build, then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer, the image
# loader's fuzzer, the Windows build under Wine and the web build under
# node, Chromium and Firefox. Display tests start their own Xvfb, so no
# display is needed. The Windows build is tried on amd64 machines alone:
# it is an x86-64 program, and Wine runs those on x86 only.
#   scripts/test.sh [STAGE...]   STAGE: default, asan, fuzz, windows, web
#                                (all of them by default)
#
# Once the default build is made, the stages run in three lanes at once:
# linux (default's tests, then asan), windows, and web (fuzz, then web).
# Much of the suite waits, on Xvfb, Wine or a browser, or keeps one core
# busy, as the fuzzer does, and the lanes fill each other's gaps. They
# share no build folder, display, port or Wine prefix. Each lane writes
# to build/test-logs/LANE.log; a failed lane's log is shown.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
self=$root/scripts/test.sh
cd "$root"
arch=$(dpkg --print-architecture)

# The CPU time, user and system, in milliseconds, that this shell's
# children have used so far, counted when they ended. `times` must run in
# this very shell, not in a command substitution's subshell, whose counts
# start at nothing; its second line holds the children's: 1m2.345s 0m6.789s.
cpu_file=$(mktemp)
trap 'rm -f "$cpu_file"' EXIT
children_cpu() {
  times >"$cpu_file"
  # shellcheck disable=SC2046 # two numbers, meant to split
  set -- $(awk 'function ms(t) { sub(/s$/, "", t); split(t, p, "m")
    return (p[1] * 60 + p[2]) * 1000 }
    NR == 2 { printf "%d %d", ms($1), ms($2) }' "$cpu_file")
  cpu_user=$1 cpu_system=$2
}
# Milliseconds $1 as whole seconds.
seconds() {
  echo $((($1 + 500) / 1000))
}

# Runs the command "$@" as step $1 of the suite, and says how long it took,
# in wall and CPU seconds; in a lane, on the terminal (descriptor 3) too.
# A process that leaves its parent (wineserver) is not counted.
timed() {
  step=$1
  shift
  [ -z "${lane:-}" ] || echo "== $lane lane: $step" >&3
  start=$(date +%s)
  children_cpu
  cpu_start=$((cpu_user + cpu_system))
  status=0
  "$@" || status=$?
  children_cpu
  cpu=$(seconds $((cpu_user + cpu_system - cpu_start)))
  took="$step: $(($(date +%s) - start)) s, CPU $cpu s"
  [ "$status" -eq 0 ] || took="$took, FAILED"
  echo "== $took"
  [ -z "${lane:-}" ] || echo "== $lane lane: $took" >&3
  return "$status"
}

# The default, asan and fuzz presets: built, then their tests run. The
# fuzz preset builds the image loader's fuzzer with clang; its tests
# replay every kept input and then fuzz for half a minute.
preset_build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
}

# The Windows build and its tests under Wine on Xvfb; its long drive is
# compared with the default build's.
windows_build() {
  scripts/windows.sh
  cmake --build --preset windows -j "$(nproc)"
}

# The web build: its unit tests and long drive under node, its page in
# headless Chromium and Firefox against the default build's first frame.
web_build() {
  scripts/web.sh
  cmake --build --preset web -j "$(nproc)"
}

# A stage's tests, once its test preset's filter is known to leave out
# only tests that its build has: a test renamed is not quietly let back
# in (scripts/preset_filter.cmake).
stage_tests() {
  cmake -DPRESET="$1" -DBUILD="build/$1" -P scripts/preset_filter.cmake
  ctest --preset "$1"
}

# scripts/test.sh --lane NAME STAGE...: the stages in order, after the
# default build, stopping at the first that fails.
if [ "${1:-}" = --lane ]; then
  lane=$2
  shift 2
  for stage in "$@"; do
    case "$stage" in
    default) ;;
    asan | fuzz) timed "$stage build" preset_build "$stage" ;;
    windows | web) timed "$stage build" "${stage}_build" ;;
    esac
    timed "$stage tests" stage_tests "$stage"
  done
  exit 0
fi

[ "$#" -gt 0 ] || set -- default asan fuzz windows web
run_start=$(date +%s)
linux_lane="" windows_lane="" web_lane=""
# shellcheck disable=SC2034 # each lane's stages are read through eval
for stage in "$@"; do
  case "$stage" in
  default | asan) linux_lane="$linux_lane $stage" ;;
  fuzz | web) web_lane="$web_lane $stage" ;;
  windows)
    if [ "$arch" = amd64 ]; then
      windows_lane=" windows"
    else
      echo "== windows skipped: the Windows build is an x86-64 program," \
        "which mingw-w64 makes and Wine runs on amd64 machines only, not $arch"
    fi
    ;;
  *) echo "test.sh: no stage '$stage'" >&2; exit 2 ;;
  esac
done
logs=$root/build/test-logs
mkdir -p "$logs"
other_needs="webtest"
[ "$arch" != amd64 ] || other_needs="$other_needs windows"
# As root, what only the windows and web lanes need (browsers, Wine,
# emscripten) installs while the default build is made; otherwise one
# line to run as root for everything missing.
# shellcheck disable=SC2086 # the needs are meant to split
if [ "$(id -u)" -eq 0 ]; then
  scripts/deps.sh test
  scripts/deps.sh $other_needs >"$logs/packages.log" 2>&1 &
  packages_pid=$!
else
  scripts/deps.sh test $other_needs
  packages_pid=""
fi

# The default build first: the Windows and web stages compare their
# programs with its drive, drive_trace and write_bmp_cases, and nothing
# may rebuild it while its tests run.
case "$linux_lane" in
*default*) timed "default build" preset_build default ;;
*)
  cmake --preset default >/dev/null
  timed "default build of the compared programs" cmake --build \
    --preset default -j "$(nproc)" --target drive drive_trace write_bmp_cases
  ;;
esac

packages_ready() {
  [ -n "$packages_pid" ] || return 0
  status=0
  wait "$packages_pid" || status=$?
  packages_pid=""
  [ "$status" -eq 0 ] && return 0
  echo "== installing the packages of $other_needs FAILED; its log:"
  cat "$logs/packages.log"
  return 1
}

lanes="linux windows web"
failed=0
for name in $lanes; do
  eval "stages=\$${name}_lane"
  [ -n "$stages" ] || continue
  if [ "$name" != linux ] && ! packages_ready; then
    failed=1
    break
  fi
  echo "== $name lane:$stages, logged in $logs/$name.log"
  # shellcheck disable=SC2086 # the stages are meant to split
  "$self" --lane "$name" $stages 3>&1 >"$logs/$name.log" 2>&1 &
  eval "${name}_pid=$!"
done

packages_ready || failed=1
for name in $lanes; do
  eval "pid=\${${name}_pid:-}"
  [ -n "$pid" ] || continue
  status=0
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "== $name lane FAILED with status $status; its log:"
    cat "$logs/$name.log"
    failed=1
  fi
done
children_cpu
echo "== all: $(($(date +%s) - run_start)) s," \
  "CPU $(seconds $((cpu_user + cpu_system))) s" \
  "(user $(seconds "$cpu_user") s, system $(seconds "$cpu_system") s)"
exit "$failed"
