#!/bin/sh
# Installs the Debian packages that the named needs call for, when any is
# missing, without the packages that they merely recommend. The needs
# and their packages are listed in scripts/packages.txt: build, python,
# test, windows, web, webtest, fresh-root, emulation and cross. As root it runs
# apt-get; otherwise it prints the apt-get line to run and fails. Safe to
# run again: with nothing missing it does nothing.
#   scripts/deps.sh NEED...
#   scripts/deps.sh --list NEED...   only print the packages, one a line
set -eu
list=$(dirname "$0")/packages.txt

# Prints the packages of need $1, one a line, those of the needs it
# brings in (@NEED) first; fails when no line names the need.
# (sh has no local variables: the names here are this function's alone.)
packages_of() {
  grep -q "^$1 " "$list" || return 1
  grep "^$1 " "$list" | while read -r _ names; do
    for name in $names; do
      case "$name" in
      @*) packages_of "${name#@}" ;;
      *) echo "$name" ;;
      esac
    done
  done
}

# The packages of all the needs given, each once.
wanted_packages() {
  for need in "$@"; do
    packages_of "$need" || {
      echo "deps.sh: unknown need '$need' (see $list)" >&2
      return 2
    }
  done >"$tmp"
  awk '!seen[$0]++' "$tmp"
}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
only_list=0
if [ "${1:-}" = --list ]; then
  only_list=1
  shift
fi
wanted=$(wanted_packages "$@") || exit 2
if [ "$only_list" = 1 ]; then
  echo "$wanted"
  exit 0
fi

# Whether package $1 is installed for this machine's architecture, for
# all (a package of no architecture), or for the one its name gives
# (name:arch). A library installed for a second architecture too (an
# arm64 one, say) has a status line a copy.
native=$(dpkg --print-architecture)
installed() {
  case "$1" in
  *:*) own=${1#*:} ;;
  *) own=$native ;;
  esac
  dpkg-query -W -f='${Status} ${Architecture}\n' "$1" 2>/dev/null |
    grep -Eqx "install ok installed ($own|all)"
}

missing=""
for p in $wanted; do
  installed "$p" || missing="$missing $p"
done

# The Windows build fetches Allegro's source with apt-get source, which
# needs a deb-src entry: one made from the machine's own Debian entry.
sources=""
case " $* " in
*" windows "*)
  if ! apt-get source --print-uris allegro4.4 >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sources="sed -e \"s/^Types: deb$/Types: deb-src/\" \
/etc/apt/sources.list.d/debian.sources \
>/etc/apt/sources.list.d/drive-deb-src.sources"
    else
      sources="sed -n -e \"s/^deb /deb-src /p\" /etc/apt/sources.list \
>/etc/apt/sources.list.d/drive-deb-src.list"
    fi
  fi
  ;;
esac
[ -z "$missing$sources" ] && exit 0

install="apt-get install -y --no-install-recommends"
line="apt-get update && $install$missing"
[ -n "$sources" ] && line="$sources && $line"
if [ "$(id -u)" -ne 0 ]; then
  [ -n "$missing" ] && echo "Missing Debian packages:$missing" >&2
  [ -n "$sources" ] && echo "Missing: apt's entry for Debian's sources" >&2
  echo "Install them as root, then run this again:" >&2
  # A Debian installed with a root password has no sudo.
  if command -v sudo >/dev/null 2>&1; then
    echo "  sudo sh -c '$line'" >&2
    echo "or, with the root password:" >&2
  fi
  echo "  su -c '$line'" >&2
  exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
[ -n "$sources" ] && sh -c "$sources"
apt-get update -q
# shellcheck disable=SC2086 # the list is meant to split into names
$install -q $missing
