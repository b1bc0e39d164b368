#!/bin/sh
# Tries the README's two Quick start commands as a newcomer would, on a
# fresh Debian: makes a minbase root of SUITE for ARCH with mmdebstrap,
# clones this repository's current commit (HEAD) into /root/drive there,
# and runs as root `scripts/drive.sh` on a private Xvfb, ended with
# Escape once its window shows, then `scripts/test.sh`, then installs
# the Debian package that the tests built with apt and plays it as a
# user. Prints one line per step: its name, status and time; fails if any
# failed. Run as root.
#   scripts/fresh-root.sh SUITE [ARCH [STAGE...]]
#       SUITE: bookworm or trixie; ARCH: this machine's (the default) or
#       another that qemu-user runs, as arm64; STAGE: those of
#       scripts/test.sh to run (all by default), as `default` alone for
#       the package in an emulated root in an hour rather than many
#   scripts/fresh-root.sh --print-sources SUITE   only print its apt sources
# The root's mirror is the one apt's configured sources on this machine
# use. Downloaded packages are kept in /var/cache/drive-fresh-root/SUITE,
# or SUITE-ARCH for another architecture (DRIVE_FRESH_ROOT_CACHE), and
# Allegro for Windows is built once for all roots, kept where
# scripts/allegro_windows.sh keeps it on this machine as root. The
# root, made under ${TMPDIR:-/var/tmp}, is removed at the end unless
# KEEP_ROOT=1.
set -eu
self=$(realpath "$0")
repo=$(cd "$(dirname "$self")/.." && pwd)
. "$repo/scripts/roots.sh"

usage() {
  echo "usage: scripts/fresh-root.sh bookworm|trixie [ARCH [STAGE...]]" >&2
  exit 2
}

# Runs the command "$@" in ROOT ($1), from /root/drive, as a root login
# would: a clean environment, /proc, /sys, /dev, a fresh /dev/shm and
# /tmp, the package cache CACHE ($2) as apt's and this machine's build of
# Allegro for Windows, WINDOWS_LIBS ($3), where scripts/allegro_windows.sh
# keeps it as root. Called through unshare (in_root), in a mount namespace
# of its own, so the mounts go when the command ends.
enter_root() {
  r=$1 cache=$2 windows_libs=$3
  shift 3
  mount -t proc proc "$r/proc"
  mount -t sysfs sys "$r/sys"
  mount --rbind /dev "$r/dev"
  mount -t tmpfs shm "$r/dev/shm"
  mount -t tmpfs tmp "$r/tmp"
  mount --bind "$cache" "$r/var/cache/apt/archives"
  mkdir -p "$r/var/cache/drive-windows-libs"
  mount --bind "$windows_libs" "$r/var/cache/drive-windows-libs"
  exec chroot "$r" /usr/bin/env -i -C /root/drive HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

in_root() {
  # shellcheck disable=SC2086 # empty, or NAME=VALUE words for env
  unshare --mount --propagation private "$self" --enter "$target" "$cache" \
    "$windows_libs" $emulated_env "$@"
}

# AddressSanitizer on AArch64 takes the size of the address space from
# the stack's address. qemu-user 7 (Debian 12's) puts the stack low, so
# the sanitizer assumes 39 bits, while qemu hands out mappings above them
# (llvmpipe's compiled shaders), where it has no shadow. Where the stack
# lies below 2^39, qemu is held to 39 bits too (512 GiB, as many arm64
# kernels have). A later qemu puts the stack high and needs nothing.
hold_low_stack() {
  top=$(in_root grep -m 1 '\[stack\]' /proc/self/maps | cut -d ' ' -f 1)
  top=${top#*-}
  [ -n "$top" ] && [ "$((0x$top < 0x8000000000))" = 1 ] || return 0
  emulated_env="$emulated_env QEMU_RESERVED_VA=0x8000000000"
}

# Runs a named step and prints its line: name, status, seconds.
step() {
  name=$1
  shift
  start=$(date +%s)
  log=$work/$(echo "$name" | tr / _).log
  if "$@" >"$log" 2>&1; then status=ok; else status="FAILED ($?)"; fi
  line="$name: $status, $(($(date +%s) - start)) s"
  echo "$line" | tee -a "$work/summary"
  [ "$status" = ok ] || { tail -40 "$log" >&2; failed=1; }
}

# The root, with what the harness needs (the X server a desktop has,
# xdotool, a user's account) and git to clone the sources; then the
# sources, at the commit being tried.
make_fresh_root() {
  make_root "$suite" "$arch" "$target" minbase \
    passwd,git,ca-certificates,xvfb,xauth,xdotool "$cache" &&
    git clone -q "$repo" "$target/root/drive" &&
    git -C "$target/root/drive" checkout -q --detach "$commit"
}

cleanup() {
  # Whatever still runs in the root (a wineserver, an Xvfb) goes first.
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$target" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  if [ "${KEEP_ROOT:-0}" = 1 ]; then
    echo "the root is kept in $target"
  else
    # A mount that outlived its command must not take the machine's
    # files with the root: rm stays on the root's own file system.
    rm -rf --one-file-system "$work"
  fi
}

# Main steps.
arch=$(dpkg --print-architecture)
case "${1:-}:$#" in
--enter:*)
  shift
  enter_root "$@"
  ;;
--print-sources:2)
  mirror_lines "$2"
  exit 0
  ;;
bookworm:1 | trixie:1) suite=$1 ;;
bookworm:* | trixie:*) suite=$1 arch=$2 ;;
*) usage ;;
esac
shift "$(($# > 2 ? 2 : $#))"
[ "$(id -u)" -eq 0 ] || { echo "fresh-root.sh: run it as root" >&2; exit 1; }
emulated_env=
if [ "$arch" = "$(dpkg --print-architecture)" ]; then
  "$repo/scripts/deps.sh" fresh-root
else
  "$repo/scripts/deps.sh" fresh-root emulation
  enable_emulation "$arch"
  # LeakSanitizer stops the program's threads with ptrace to look for
  # leaks, which qemu-user does not emulate: an emulated root's sanitizer
  # and fuzzer builds run without the leak check (a real machine of the
  # architecture, and this one's own suite, have it).
  emulated_env=ASAN_OPTIONS=detect_leaks=0
fi
cache=$(package_cache "$suite" "$arch")
lock_cache "$cache"
# Allegro for Windows, built once per machine and shared by every root.
windows_libs=${DRIVE_WINDOWS_LIBS_CACHE:-/var/cache/drive-windows-libs}
mkdir -p "$windows_libs"
work=$(mktemp -d "${TMPDIR:-/var/tmp}/drive-fresh-root.XXXXXX")
target=$work/root
commit=$(git -C "$repo" rev-parse HEAD)
failed=0
trap cleanup EXIT
trap 'exit 143' INT TERM

echo "fresh $suite $arch root in $target, commit $commit"
step root make_fresh_root
[ "$failed" = 0 ] || exit 1
[ -z "$emulated_env" ] || hold_low_stack
# The deadlines are long enough for a cold build on a slow machine.
step scripts/drive.sh in_root env PATIENCE=3600 tests/with_xvfb.sh \
  tests/scripts/escape_drive.sh scripts/drive.sh
step scripts/test.sh in_root scripts/test.sh "$@"
step "apt install ./drive.deb" in_root tests/scripts/install_and_play.sh
exit "$failed"
