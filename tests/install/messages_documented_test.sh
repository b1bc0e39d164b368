#!/bin/bash
# Every message the program can show, and every reason it gives, is
# explained in the manual page and in the README's troubleshooting table.
# The messages are the string literals with a space in them in app/,
# render/ and image/, cut at their %s and line breaks.
#   messages_documented_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
missing=0
while read -r fragment; do
  for doc in packaging/drive.6 README.md; do
    grep -qF -- "$fragment" "$doc" || {
      echo "FAIL: $doc does not explain: $fragment" >&2
      missing=$((missing + 1))
    }
  done
  count=$((${count:-0} + 1))
done < <(cat app/*.cpp app/*.h render/*.cpp render/*.h image/*.cpp image/*.h |
  grep -v '^[[:space:]]*//' | grep -o '"[^"]*"' | grep ' ' |
  sed -e 's/^"//' -e 's/"$//' -e 's/\\n/%s/g' | sed 's/%s/\n/g' |
  sed -e 's/^[[:space:]:]*//' -e 's/[[:space:]:]*$//' | grep ' ' | sort -u)
[ "${count:-0}" -ge 20 ] || { echo "FAIL: found only ${count:-0} messages" >&2; exit 1; }
[ "$missing" -eq 0 ] || exit 1
echo "ok: $count messages and reasons explained in both"
