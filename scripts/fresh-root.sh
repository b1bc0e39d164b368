#!/bin/sh
# Tries the README's two Quick start commands as a newcomer would, on a
# fresh Debian: makes a minbase root of SUITE with mmdebstrap, clones this
# repository's current commit (HEAD) into /root/drive there, and runs as
# root `scripts/drive.sh` on a private Xvfb, ended with Escape once its
# window shows, then `scripts/test.sh`, then installs the Debian package
# that the tests built with apt. Prints one line per command: its name,
# status and time; fails if any failed. Run as root.
#   scripts/fresh-root.sh SUITE     SUITE: bookworm or trixie
#   scripts/fresh-root.sh --print-sources SUITE   only print its apt sources
# The root's mirror is the one apt's configured sources on this machine
# use. Downloaded packages are kept per suite in $DRIVE_FRESH_ROOT_CACHE
# (default /var/cache/drive-fresh-root/SUITE); apt checks each against
# the signed index before it uses it. The root, made under ${TMPDIR:-/var/tmp},
# is removed at the end unless KEEP_ROOT=1.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
apt_etc=${DRIVE_APT_ETC:-/etc/apt}

usage() {
  echo "usage: scripts/fresh-root.sh bookworm|trixie" >&2
  exit 2
}

# Prints the one-line apt sources of SUITE ($1): each enabled Debian
# entry of this machine's apt sources (deb822 or one-line) whose suite
# is this machine's release, or one of its -updates and -security
# suites, with that release's codename replaced by SUITE.
mirror_lines() {
  # shellcheck disable=SC1090,SC1091 # the machine's own release file
  host=$(. "${DRIVE_OS_RELEASE:-/etc/os-release}" && echo "$VERSION_CODENAME")
  {
    for f in "$apt_etc"/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      # One entry per paragraph; Enabled: no turns one off.
      awk 'BEGIN { RS = "" }
        {
          types = uris = suites = comps = ""; on = 1
          n = split($0, line, "\n")
          for (i = 1; i <= n; i++) {
            key = line[i]; sub(/:.*/, "", key); value = line[i]
            sub(/^[^:]*:[ \t]*/, "", value)
            if (key == "Types") types = value
            else if (key == "URIs") uris = value
            else if (key == "Suites") suites = value
            else if (key == "Components") comps = value
            else if (key == "Enabled" && value == "no") on = 0
          }
          if (!on || (" " types " ") !~ / deb /) next
          nu = split(uris, u, " "); ns = split(suites, s, " ")
          for (i = 1; i <= nu; i++)
            for (j = 1; j <= ns; j++) print "deb", u[i], s[j], comps
        }' "$f"
    done
    for f in "$apt_etc"/sources.list "$apt_etc"/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      # Options in brackets (signed-by=...) name this machine's files.
      sed -n -e 's/^deb[ \t]\{1,\}\(\[[^]]*\][ \t]*\)\{0,1\}/deb /p' "$f"
    done
  } | awk -v host="$host" -v suite="$1" '
    $3 == host || $3 == host "-updates" || $3 == host "-security" {
      sub("^" host, suite, $3); print }'
}

# Runs "$@" in the root as a root login would: a clean environment,
# /proc, /sys, /dev and a fresh /dev/shm and /tmp, all in a mount
# namespace of its own, so they go when the command ends.
in_root() {
  unshare --mount --propagation private sh -c '
    r=$1; shift
    mount -t proc proc "$r/proc"
    mount -t sysfs sys "$r/sys"
    mount --rbind /dev "$r/dev"
    mount -t tmpfs shm "$r/dev/shm"
    mount -t tmpfs tmp "$r/tmp"
    mount --bind "$cache" "$r/var/cache/apt/archives"
    exec chroot "$r" /usr/bin/env -i HOME=/root TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      "$@"' sh "$target" "$@"
}

# The first command, as a desktop user: drive.sh builds and starts the
# program on an X display (a private Xvfb, as tests/with_xvfb.sh starts
# one); once its window shows, Escape is held until the program has
# ended. The deadlines are long enough for a cold build on a slow machine.
drive_with_escape() {
  cat >"$target/root/drive_with_escape.sh" <<'EOF'
cd /root/drive
scripts/drive.sh >/tmp/drive.log 2>&1 &
pid=$!
end=$((SECONDS + 1800))
window=""
while [ -z "$window" ]; do
  kill -0 $pid 2>/dev/null || { cat /tmp/drive.log; echo "ended with no window"; exit 1; }
  [ $SECONDS -lt $end ] || { cat /tmp/drive.log; echo "no window"; exit 1; }
  sleep 1
  window=$(xdotool search --onlyvisible --name '^drive$' 2>/dev/null | head -1)
done
xdotool keydown --window "$window" Escape 2>/dev/null
end=$((SECONDS + 120))
while kill -0 $pid 2>/dev/null && [ $SECONDS -lt $end ]; do sleep 0.2; done
xdotool keyup --window "$window" Escape 2>/dev/null
kill -0 $pid 2>/dev/null && { echo "still running 120 s after Escape"; exit 1; }
wait $pid
status=$?
tail -5 /tmp/drive.log
echo "the window showed; Escape ended it with status $status"
exit $status
EOF
  in_root bash -c 'cd /root/drive && exec tests/with_xvfb.sh bash /root/drive_with_escape.sh'
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

case "${1:-}:$#" in
bookworm:1 | trixie:1) suite=$1 ;;
--print-sources:2) mirror_lines "$2"; exit 0 ;;
*) usage ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-root.sh: run it as root" >&2; exit 1; }
"$repo/scripts/deps.sh" fresh-root
sources=$(mirror_lines "$suite")
[ -n "$sources" ] || { echo "fresh-root.sh: no Debian entry in apt's sources" >&2; exit 1; }
cache=${DRIVE_FRESH_ROOT_CACHE:-/var/cache/drive-fresh-root/$suite}
mkdir -p "$cache"
# One run of a suite at a time: apt in the root locks the shared cache.
exec 9>"$cache.lock"
flock -n 9 || { echo "waiting for another fresh $suite root to finish" >&2; flock 9; }
work=$(mktemp -d "${TMPDIR:-/var/tmp}/drive-fresh-root.XXXXXX")
target=$work/root
export cache
failed=0
trap cleanup EXIT
trap 'exit 143' INT TERM

# The root, with what the run needs to start and the packages in $1.
root_with() {
  include="passwd,git,ca-certificates,$1"
  echo "$sources" | {
    set --
    while read -r line; do set -- "$@" "$line"; done
    # Its mounts in the root go with it, however it ends. The root is
    # thrown away after the run, so dpkg, there for good, need not sync
    # each file it unpacks (force-unsafe-io), which costs minutes.
    unshare --mount --propagation private \
      mmdebstrap --variant=minbase --include="$include" \
      --dpkgopt=force-unsafe-io \
      --skip=essential/unlink \
      --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
      --setup-hook="mount --bind '$cache' \"\$1/var/cache/apt/archives\"" \
      --customize-hook='umount "$1/var/cache/apt/archives"' \
      "$suite" "$target" "$@"
  }
}
commit=$(git -C "$repo" rev-parse HEAD)
echo "fresh $suite root in $target, commit $commit"
# The harness's own tools: the X server a desktop has, and xdotool.
step root root_with xvfb,xauth,xdotool
[ "$failed" = 0 ] || exit 1
git clone -q "$repo" "$target/root/drive"
git -C "$target/root/drive" checkout -q --detach "$commit"
step scripts/drive.sh drive_with_escape
step scripts/test.sh in_root sh -c 'cd /root/drive && exec scripts/test.sh'
# The README's Install: the package built there installs with apt, which
# brings in what it needs, and the command is then in /usr/games (on a
# user's PATH, not on root's).
step "apt install ./drive.deb" in_root sh -c '
  cd /root/drive && cpack --preset deb >/dev/null &&
  apt-get install -y ./build/default/drive_*_$(dpkg --print-architecture).deb &&
  test -x /usr/games/drive && dpkg-query -W -f="\${Depends}\n" drive &&
  apt-get remove -y drive'
exit "$failed"
