#!/bin/bash
# Installs into a fresh prefix whose name has a space in it, as a user's
# folder may, and starts the installed command from other folders: by
# name on PATH and through a link. Each time the window opens, Escape
# ends it with status 0, and nothing is written in the working folder,
# the home folder or the installed tree. Without its images' folder the
# command says so and fails.
#   installed_launcher_test.sh BUILD_DIR
set -u
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
prefix="$top/my games"
cmake --install "$1" --prefix "$prefix" >/dev/null || {
  echo "FAIL: cmake --install" >&2
  exit 1
}
DRIVE="$prefix/games/drive" DATA_DIR="$prefix/share/games/drive"
. "$(dirname "$0")/../e2e/lib.sh"

# Every file under $1 with its size and modification time.
tree_listing() {
  find "$1" -printf '%p %s %T@\n' | sort
}

# Runs COMMAND in a new empty folder with a new empty home folder. Mesa
# keeps a shader cache of its own, in the user's ~/.cache (found from the
# password file, not HOME) unless XDG_CACHE_HOME says otherwise: it goes
# to a folder of its own here.
check_run() {
  local name=$1 command=$2 before
  local work="$top/$name" home="$top/$name-home" out="$top/$name.out"
  mkdir "$work" "$home"
  before=$(tree_listing "$prefix")
  (cd "$work" && HOME="$home" XDG_CACHE_HOME="$top/$name-cache" \
    PATH="$prefix/games:$PATH" exec "$command" >"$out" 2>&1) &
  DRIVE_PID=$!
  DRIVE_OUT=$out
  find_window
  # A message box instead means the program did not find its images.
  wait_for_road "$top/$name.png"
  hold_key_until_exit Escape
  [ "$STATUS" -eq 0 ] || fail "$name: exit status $STATUS; output: $(cat "$out")"
  [ -z "$(ls -A "$work")" ] || fail "$name: wrote in its folder: $(ls -A "$work")"
  [ -z "$(ls -A "$home")" ] || fail "$name: wrote in the home folder: $(ls -A "$home")"
  [ "$(tree_listing "$prefix")" = "$before" ] || fail "$name: changed the installed tree"
  echo "ok: $name"
}

check_run by_name drive
mkdir "$top/bin"
ln -s "$prefix/games/drive" "$top/bin/drive"
check_run through_link "$top/bin/drive"

mv "$DATA_DIR" "$top/moved"
out=$(cd "$top" && "$prefix/games/drive" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "no images' folder: status $status, expected 1"
case "$out" in
"drive: cannot enter the images' folder"*) ;;
*) fail "no images' folder: unexpected output: $out" ;;
esac
echo "ok: without its images' folder: $out"
