#!/bin/sh
# Installs drive_model as README.md tells a learner to: a venv of Debian's
# python3 that sees Debian's packages, and pip building the source tree
# without fetching anything. The build's own warnings fail the test, as
# -Werror fails the program's build; a learner's install only shows them.
#   install_test.sh SOURCE_DIR VENV
set -eu
source_dir=$1
venv=$2
rm -rf "$venv"
/usr/bin/python3 -m venv --system-site-packages "$venv"
cd "$source_dir"
log="$venv/install.log"
"$venv/bin/pip" install --no-build-isolation --verbose . >"$log" 2>&1 || {
  tail -40 "$log"
  exit 1
}
if grep -E ':[0-9]+:[0-9]+: (warning|error):' "$log"; then
  echo "FAIL: the module builds with warnings" >&2
  exit 1
fi
"$venv/bin/python" -c 'import drive_model'
