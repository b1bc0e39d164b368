# Fresh Debian roots made with mmdebstrap, shared by scripts/fresh-root.sh
# and scripts/cross-test.sh: their apt sources, a cache of the packages
# they download, and qemu-user for a root of another architecture.
# shellcheck shell=sh

roots_dir=$(cd "$(dirname "$0")" && pwd)
apt_etc=${DRIVE_APT_ETC:-/etc/apt}

# Prints the one-line apt sources of SUITE ($1): each enabled Debian
# entry of this machine's apt sources (deb822 or one-line) whose suite
# is this machine's release, or one of its -updates and -security
# suites, with that release's codename replaced by SUITE.
mirror_lines() {
  # shellcheck disable=SC1090,SC1091 # the machine's own release file
  host=$(. "${DRIVE_OS_RELEASE:-/etc/os-release}" && echo "$VERSION_CODENAME")
  {
    for f in "$apt_etc"/sources.list.d/*.sources; do
      [ ! -f "$f" ] || awk -f "$roots_dir/apt_sources.awk" "$f"
    done
    for f in "$apt_etc"/sources.list "$apt_etc"/sources.list.d/*.list; do
      # Options in brackets (signed-by=...) name this machine's files.
      [ ! -f "$f" ] ||
        sed -n -e 's/^deb[ \t]\{1,\}\(\[[^]]*\][ \t]*\)\{0,1\}/deb /p' "$f"
    done
  } | while read -r _ uri from components; do
    case "$from" in
    "$host" | "$host-updates" | "$host-security")
      echo "deb $uri $1${from#"$host"} $components"
      ;;
    esac
  done
}

# The folder that keeps the packages downloaded for roots of SUITE ($1)
# and ARCH ($2): apt checks each against the signed index before it uses
# it. One root at a time uses it (lock_cache).
package_cache() {
  if [ "$2" = "$(dpkg --print-architecture)" ]; then
    echo "${DRIVE_FRESH_ROOT_CACHE:-/var/cache/drive-fresh-root/$1}"
  else
    echo "${DRIVE_FRESH_ROOT_CACHE:-/var/cache/drive-fresh-root/$1-$2}"
  fi
}

# Holds the lock of cache $1 until this script ends: apt in a root locks
# the shared cache.
lock_cache() {
  mkdir -p "$1"
  exec 9>"$1.lock"
  flock -n 9 || { echo "waiting for another root that uses $1" >&2; flock 9; }
}

# Lets this machine run programs of ARCH ($1) through qemu-user, as
# binfmt_misc does for a root of that architecture: with the fix-binary
# flag, the emulator need not be in the root.
enable_emulation() {
  [ "$1" != "$(dpkg --print-architecture)" ] || return 0
  case "$1" in
  arm64) qemu=aarch64 ;;
  *) qemu=$1 ;;
  esac
  [ -f /proc/sys/fs/binfmt_misc/status ] ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  [ -f "/proc/sys/fs/binfmt_misc/qemu-$qemu" ] ||
    update-binfmts --enable "qemu-$qemu"
  grep -q '^flags: .*F' "/proc/sys/fs/binfmt_misc/qemu-$qemu" || {
    echo "qemu-$qemu is not registered with binfmt_misc's fix-binary flag" >&2
    return 1
  }
}

# Makes a root of SUITE ($1) for ARCH ($2) in TARGET ($3) with mmdebstrap,
# of VARIANT ($4) and with the packages in the comma-separated INCLUDE
# ($5), from the packages in CACHE ($6) where they are there already; the
# new ones are kept there for the next root, once they are unpacked (the
# extract variant removes them then) and at the end.
make_root() {
  suite=$1 arch=$2 target=$3 variant=$4 include=$5 cache=$6
  mirror_lines "$suite" | {
    set --
    while read -r line; do set -- "$@" "$line"; done
    [ "$#" -gt 0 ] || { echo "no Debian entry in apt's sources" >&2; return 1; }
    # The root is thrown away after the run, so dpkg, there for good,
    # need not sync each file it unpacks (force-unsafe-io), which costs
    # minutes.
    DRIVE_ROOT_VARIANT=$variant mmdebstrap --variant="$variant" --arch="$arch" --include="$include" \
      --dpkgopt=force-unsafe-io --skip=essential/unlink \
      --setup-hook="$roots_dir/root_setup_hook.sh" \
      --setup-hook="sync-in $cache /var/cache/apt/archives" \
      --extract-hook="sync-out /var/cache/apt/archives $cache" \
      --customize-hook="sync-out /var/cache/apt/archives $cache" \
      "$suite" "$target" "$@"
  }
}
