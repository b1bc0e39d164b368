#!/bin/bash
# Builds the Debian package from the build tree with CPack and checks it
# with dpkg-deb and lintian: its control fields, that it holds exactly
# the installed layout with the right modes and owners, and that lintian
# finds no error and no warning other than those that docs/packaging.md
# lists with their reasons.
#   package_test.sh BUILD_DIR VERSION PACKAGING_DOC
set -u
build=$1 version=$2 doc=$3
# Packaged under the strictest umask: the modes checked below must not
# follow the builder's.
umask 077
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
. "$(dirname "$0")/../support/builds.sh"

BUILD_LOG=$out/cpack.log
make_deb "$build" "$version" "$out"
deb=$DEB
# Every check below is reported, not only the first that fails.
fail_stops=

# Control fields: exact where the value is ours, a pattern where
# dpkg-shlibdeps finds it.
check_field() {
  local value
  value=$(dpkg-deb -f "$deb" "$1")
  # shellcheck disable=SC2053 # the pattern is meant to match
  [[ "$value" == $2 ]] || fail "field $1 is '$value', expected '$2'"
}
check_field Package drive
check_field Version "$version"
check_field Section games
check_field Priority optional
check_field Architecture "$DEB_ARCH"
check_field Maintainer "the drive developers <*@*>"
check_field Recommends x11-utils
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{print $1}')
# The library packages' names may end in t64 (64-bit time_t, Debian 13).
for library in 'liballegro4\.4(t64)?' 'liballeggl4\.4(t64)?' libgl1 libc6; do
  grep -qxE "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
check_field Description "real-time driving demo on an endless road*X display with OpenGL."

# The files, their modes and owners; directories are implied.
expected="-rwxr-xr-x root/root ./usr/games/drive
-rwxr-xr-x root/root ./usr/lib/games/drive/drive
-rw-r--r-- root/root ./usr/share/applications/invalid.drive.drive.desktop
-rw-r--r-- root/root ./usr/share/doc/drive/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/drive/copyright
-rw-r--r-- root/root ./usr/share/games/drive/emblem.bmp
-rw-r--r-- root/root ./usr/share/games/drive/lep.bmp
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/invalid.drive.drive.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/invalid.drive.drive.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/invalid.drive.drive.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/invalid.drive.drive.png
-rw-r--r-- root/root ./usr/share/man/man6/drive.6.gz
-rw-r--r-- root/root ./usr/share/metainfo/invalid.drive.drive.metainfo.xml"
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}' |
  LC_ALL=C sort -k3)
[ "$listed" = "$expected" ] || fail "files differ from the layout:
$(diff <(echo "$expected") <(echo "$listed"))"
dirs=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print}')
[ -z "$dirs" ] || fail "directories not 0755: $dirs"

# lintian: E: fails; W: fails unless the doc's table of kept warnings
# lists the tag.
kept=$(sed -n '/^## Lintian warnings kept/,/^## /p' "$doc")
tags=$(lintian "$deb" 2>/dev/null | grep -E '^[EW]: ')
while read -r line; do
  [ -n "$line" ] || continue
  tag=$(echo "$line" | awk '{print $3}')
  case "$line" in
  E:*) fail "lintian error: $line" ;;
  W:*) grep -qF "\`$tag\`" <<<"$kept" || fail "lintian warning not kept in $doc: $line" ;;
  esac
done <<<"$tags"

checks_status || exit 1
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes; lintian: ${tags:-nothing}"
