#!/bin/bash
# Drives the long scripted drive in the Linux build and in another build
# (the Windows one under Wine, the web one under node), which compares
# its own drive with the Linux trace step by step as it streams in.
# Fails when the other build finds the two too far apart (LIMIT, in the
# units its program takes) or when either drive fails.
#   compare_drives.sh LINUX_DRIVE_TRACE OTHER_PROGRAM STEPS LIMIT [RUNNER]
# OTHER_PROGRAM is run by RUNNER, by default wine (then run this under
# with_wine.sh): the Windows drive_trace, or the web step_compare under
# node.
set -uo pipefail
linux=$1 other=$2 steps=$3 limit=$4 runner=${5:-wine}
if [ ! -x "$linux" ]; then
  echo "FAIL: no Linux build of drive_trace at $linux (build the default" \
    "preset first)" >&2
  exit 1
fi
"$linux" "$steps" | "$runner" "$other" "$steps" - "$limit"
