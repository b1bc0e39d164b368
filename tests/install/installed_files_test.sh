#!/bin/bash
# Checks the installed desktop entry, AppStream data, icons and manual
# page with Debian's own validators.
#   installed_files_test.sh BUILD_DIR
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
. "$(dirname "$0")/../support/checks.sh"

cmake --install "$1" --prefix "$prefix" >/dev/null || fail "cmake --install"
share=$prefix/share
desktop=$(ls "$share"/applications/*.desktop)

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
# The whole tree: the metainfo file, and the desktop entry it launches.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"
warnings=$(man --warnings -l "$share/man/man6/drive.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings: $warnings"

# The icon that the desktop entry names, at every size, of that size.
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  # ImageMagick 7 follows the colourspace with the channel count.
  measured=$(identify -format '%wx%h %[channels]' "$png" 2>/dev/null)
  [[ "$measured" =~ ^${size}x${size}\ srgba( |$) ]] ||
    fail "$png: '$measured', expected ${size}x${size} srgba"
done

checks_status || exit 1
echo "ok: desktop entry, AppStream data, icons and manual page"
