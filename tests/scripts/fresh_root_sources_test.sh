#!/bin/bash
# scripts/fresh-root.sh points the root at the mirror that this machine's
# apt sources use, for the other release: every enabled binary entry of
# this release, its -updates and -security, in either format; nothing
# else (other releases, deb-src, other vendors' suites, disabled ones).
#   fresh_root_sources_test.sh SCRIPTS_DIR
set -u
fresh_root=$1/fresh-root.sh
etc=$(mktemp -d)
trap 'rm -rf "$etc"' EXIT
. "$(dirname "$0")/../support/checks.sh"

echo 'VERSION_CODENAME=bookworm' >"$etc/os-release"
mkdir "$etc/sources.list.d"

# case | file | its text | the lines expected for trixie
cases=(
  "deb822 | debian.sources | Types: deb
URIs: http://m/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://m/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://m/debian-security
Suites: bookworm-security
Components: main
 | deb http://m/debian trixie main contrib
deb http://m/debian trixie-updates main contrib
deb http://m/debian-security trixie-security main"
  "disabled entry | debian.sources | Types: deb
URIs: http://m/debian
Suites: bookworm
Enabled: no
Components: main
 | "
  "one-line with options | ../sources.list | # deb http://old/debian bookworm main
deb [signed-by=/k.gpg] http://m/debian bookworm main
deb-src http://m/debian bookworm main
deb http://m/debian bookworm-backports main
deb http://other/repo nodistro main | deb http://m/debian trixie main"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name file text expected <<<"$(tr '\n' '\001' <<<"$row")"
  name=$(echo "$name" | tr -d '\001' | sed 's/ *$//')
  rm -f "$etc"/sources.list "$etc"/sources.list.d/*
  tr '\001' '\n' <<<"${text# }" >"$etc/sources.list.d/${file// /}"
  expected=$(tr '\001' '\n' <<<"${expected# }" | sed '/^$/d')
  got=$(DRIVE_APT_ETC=$etc DRIVE_OS_RELEASE=$etc/os-release \
    "$fresh_root" --print-sources trixie 2>&1)
  [ "$got" = "$expected" ] || fail "$name: got
$got
expected
$expected"
done
checks_status || exit 1
echo "ok: ${#cases[@]} cases"
