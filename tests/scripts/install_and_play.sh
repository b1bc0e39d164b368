#!/bin/bash
# The README's Install in a fresh root, from the top of the sources,
# once scripts/test.sh has installed what the build needs: the default
# build (already made when test.sh's default stage ran) and its package,
# which installs with apt, bringing what it needs; a user, not root,
# starts `drive` from the PATH that Debian gives users, on an X display,
# and Escape ends it with status 0; then the package removes cleanly.
#   install_and_play.sh
set -eu
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" >/dev/null
cpack --preset deb >/dev/null
deb=$(echo build/default/drive_*_"$(dpkg --print-architecture)".deb)
apt-get install -y "./$deb"
dpkg-query -W -f='${Depends}\n' drive
useradd --create-home player
# The user runs the harness from root's copy of the sources.
chmod o+x /root
runuser -u player -- env PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
  tests/with_xvfb.sh tests/scripts/escape_drive.sh drive
apt-get remove -y drive
