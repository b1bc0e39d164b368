#!/bin/sh
# Installs drive_model as README.md tells a learner to: a venv of Debian's
# python3 that sees Debian's packages, and pip building the source tree
# without fetching anything. The build's own warnings fail the test, as
# -Werror fails the program's build; a learner's install only shows them.
# The web tests replay the page's drives in this venv too: with
# --if-missing it is made only if no whole one is there. A lock beside it
# (VENV.lock) keeps anyone from seeing it half made: this script holds it
# alone, and a user holds it shared (flock -s VENV.lock VENV/bin/python).
#   install_test.sh SOURCE_DIR VENV [--if-missing]
set -eu
source_dir=$1
venv=$2
exec 9>"$venv.lock"
flock 9
[ "${3:-}" = --if-missing ] && [ -f "$venv/installed" ] && exit 0
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
touch "$venv/installed"
