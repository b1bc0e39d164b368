#!/bin/sh
# mmdebstrap's setup hook for the roots of scripts/roots.sh: makes apt's
# folder of downloaded packages, for the cache to be copied into. In a
# root that is only unpacked (DRIVE_ROOT_VARIANT=extract) no package's
# scripts merge /usr, so the links are made here first: Debian 13's
# libraries and dynamic loader are in /usr/lib alone, found through /lib.
#   root_setup_hook.sh ROOT
set -eu
mkdir -p "$1/var/cache/apt/archives/partial"
if [ "${DRIVE_ROOT_VARIANT:-}" = extract ]; then
  for dir in bin sbin lib; do
    mkdir -p "$1/usr/$dir"
    ln -s "usr/$dir" "$1/$dir"
  done
fi
