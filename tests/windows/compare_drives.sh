#!/bin/bash
# Drives the same long scripted drive in the Windows build under Wine and
# in the Linux build, and compares them step by step as the Windows trace
# streams in. Fails when any field parts by more than TOLERANCE (in its
# own units) or when either drive fails.
#   compare_drives.sh LINUX_DRIVE_TRACE WINDOWS_DRIVE_TRACE STEPS TOLERANCE
# Run it under with_wine.sh.
set -uo pipefail
linux=$1 windows=$2 steps=$3 tolerance=$4
if [ ! -x "$linux" ]; then
  echo "FAIL: no Linux build of drive_trace at $linux (build the default" \
    "preset first)" >&2
  exit 1
fi
wine "$windows" "$steps" | "$linux" "$steps" - "$tolerance"
