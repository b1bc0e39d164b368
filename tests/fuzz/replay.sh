#!/bin/sh
# Loads every kept fuzzer input through the program's loader, all in one
# process: each input of corpus/ gets an answer, loaded or refused with a
# reason, and each of finds/, every input that ever broke the loader, is
# refused with a reason. None may end the process.
#   replay.sh LOAD_IMAGES FUZZ_DIR
set -eu
load_images=$1 fuzz_dir=$2
answers=$(mktemp)
trap 'rm -f "$answers"' EXIT
find "$fuzz_dir/corpus" "$fuzz_dir/finds" -type f -exec "$load_images" {} + \
  >"$answers"
files=$(find "$fuzz_dir/corpus" "$fuzz_dir/finds" -type f | wc -l)
finds=$(find "$fuzz_dir/finds" -type f | wc -l)
# An answer is "FILE: loaded WIDTHxHEIGHT" or "FILE: REASON".
awk -v files="$files" -v finds="$finds" -v prefix="$fuzz_dir/finds/" '
  /: / { answers++ }
  /: / && index($0, prefix) == 1 {
    if ($0 ~ /: loaded [0-9]+x[0-9]+$/) print "a find loads: " $0
    else refused++
  }
  END {
    printf "%d answers for %d inputs; %d of the %d finds refused\n",
      answers, files, refused, finds
    exit !(answers == files && refused == finds)
  }' "$answers"
