#!/bin/bash
# Runs Debian's hardening-check on the program as the package installs
# it: position-independent, stack protector, read-only relocations and
# immediate binding, and, where they can be had, fortified calls and
# control-flow protection (the two exceptions are explained in
# docs/packaging.md, "Hardening").
#   hardening_test.sh BUILD_DIR VERSION CXX
set -u
build=$1 version=$2 cxx=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
. "$(dirname "$0")/../support/builds.sh"

BUILD_LOG=$out/cpack.log
make_deb "$build" "$version" "$out"
dpkg-deb -x "$DEB" "$out/root" || exit 1

# The program makes no call that _FORTIFY_SOURCE can check when it is
# compiled: its reads and the standard library's copies have sizes known
# only at run time, so no call is fortified, though the flag is on.
skip=--nofortify
# Control-flow protection (IBT and shadow stacks) is x86's. A program
# has it only when every object linked into it has; Debian 12's C
# library start files (Scrt1.o) do not.
start=$("$cxx" -print-file-name=Scrt1.o)
[ "$DEB_ARCH" = amd64 ] && readelf -n "$start" | grep -q 'x86 feature: IBT, SHSTK' ||
  skip="$skip --nocfprotection"

# Branch protection (BTI and PAC) is AArch64's; Debian 13's
# hardening-check asks for it on every architecture, and Debian 13's
# flags give it on arm64.
[ "$DEB_ARCH" = arm64 ] ||
  ! hardening-check --help 2>&1 | grep -q -- --nobranchprotection ||
  skip="$skip --nobranchprotection"

# shellcheck disable=SC2086 # the options are meant to split
hardening-check $skip "$out/root/usr/lib/games/drive/drive"
