#!/bin/sh
# Loads every kept fuzzer input once; fails unless each one gets an
# answer, loaded or refused with a reason, and none ends the process.
#   replay.sh LOAD_IMAGES FUZZ_DIR
set -eu
load_images=$1 fuzz_dir=$2
files=$(find "$fuzz_dir/corpus" "$fuzz_dir/finds" -type f | wc -l)
answers=$(find "$fuzz_dir/corpus" "$fuzz_dir/finds" -type f \
  -exec "$load_images" {} + | grep -c ': ')
echo "$answers answers for $files inputs"
[ "$answers" -eq "$files" ]
