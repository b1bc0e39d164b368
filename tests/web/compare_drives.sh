#!/bin/bash
# Drives the long scripted drive in the Linux build and compares the web
# build's with it under node as the Linux trace streams in (see
# step_compare.cpp). Fails when a step parts by more than MAX_UNITS units
# in the last place, or when either program fails.
#   compare_drives.sh LINUX_DRIVE_TRACE NODE STEP_COMPARE STEPS MAX_UNITS
set -uo pipefail
linux=$1 node=$2 web=$3 steps=$4 max_units=$5
if [ ! -x "$linux" ]; then
  echo "FAIL: no Linux build of drive_trace at $linux (build the default" \
    "preset first)" >&2
  exit 1
fi
"$linux" "$steps" | "$node" "$web" "$steps" - "$max_units"
