#!/bin/bash
# As a user other than root, scripts/deps.sh installs nothing and prints
# a line that installs what is missing: with su, which every Debian has,
# and with sudo too where sudo exists; and it finds a package installed
# for this machine's architecture among copies for others. Stand-ins for
# id, dpkg, dpkg-query and sudo play the user and the machine.
#   deps_hint_test.sh SCRIPTS_DIR
set -u
deps=$1/deps.sh
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
. "$(dirname "$0")/../support/checks.sh"

printf '#!/bin/sh\necho 1000\n' >"$stubs/id"
printf '#!/bin/sh\necho amd64\n' >"$stubs/dpkg"
printf '#!/bin/sh\nexit 1\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\necho "sudo must not run" >&2\nexit 99\n' >"$stubs/sudo"
chmod +x "$stubs"/*
# The tools the script reads its package list with, and nothing else.
for tool in dirname grep awk mktemp rm; do
  ln -s "$(command -v "$tool")" "$stubs/$tool"
done

# Every quoted hint line must install exactly the packages that the
# script says are missing.
check_hints() {
  local case=$1 out=$2 missing command
  missing=$(sed -n 's/^Missing Debian packages: //p' <<<"$out")
  grep -q liballegro4-dev <<<"$missing" || fail "$case: no missing list: $out"
  while read -r command; do
    [ "$command" = "apt-get update && apt-get install -y --no-install-recommends $missing" ] ||
      fail "$case: hint does not install the missing packages: $command"
  done < <(sed -n "s/^  [a-z ]* -c '\(.*\)'$/\1/p" <<<"$out")
}

for case in without_sudo with_sudo; do
  [ "$case" = with_sudo ] || mv "$stubs/sudo" "$stubs/sudo.off"
  out=$(PATH=$stubs /bin/sh "$deps" test 2>&1)
  status=$?
  [ "$status" -eq 1 ] || fail "$case: status $status, expected 1"
  grep -q "^  su -c 'apt-get update && apt-get install -y" <<<"$out" ||
    fail "$case: no su line: $out"
  if [ "$case" = with_sudo ]; then
    grep -q "^  sudo sh -c 'apt-get update" <<<"$out" || fail "$case: no sudo line"
  else
    ! grep -q sudo <<<"$out" || fail "$case: names sudo, which is absent: $out"
    mv "$stubs/sudo.off" "$stubs/sudo"
  fi
  check_hints "$case" "$out"
  echo "ok: $case"
done
# The Windows build also needs apt's entry for Debian's sources: the one
# line adds it before it installs the packages.
printf '#!/bin/sh\nexit 100\n' >"$stubs/apt-get"
chmod +x "$stubs/apt-get"
out=$(PATH=$stubs /bin/sh "$deps" windows 2>&1)
grep -q "^Missing: apt's entry for Debian's sources" <<<"$out" ||
  fail "windows: the source entry is not named: $out"
grep -q "^  su -c 'sed .*deb-src.* && apt-get update && apt-get install -y" \
  <<<"$out" || fail "windows: no su line that adds the source entry: $out"
echo "ok: windows, no source entry"

# Every package installed for the architectures given: one installed
# for a second architecture too, or for none (all), is there; one only
# for another architecture is missing.
for row in "amd64 arm64:0" "all:0" "arm64:1"; do
  arches=${row%:*} want=${row#*:}
  # shellcheck disable=SC2016 # $a is the stand-in's own
  printf '#!/bin/sh\nfor a in %s; do echo "install ok installed $a"; done\n' \
    "$arches" >"$stubs/dpkg-query"
  out=$(PATH=$stubs /bin/sh "$deps" test 2>&1)
  status=$?
  [ "$status" -eq "$want" ] ||
    fail "installed for $arches: status $status, expected $want: $out"
  echo "ok: installed for $arches"
done
checks_status
