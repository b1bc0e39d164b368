#!/bin/sh
# Fuzzes a reader for a bounded time, from the corpus and finds kept in
# FUZZ_DIR, with its dictionary (FUZZ_DIR's .dict file) if it has one.
# New inputs and any crash go under WORK_DIR; a crash fails the run and
# is to be kept in finds/ once its cause is fixed.
#   run_fuzzer.sh FUZZER FUZZ_DIR WORK_DIR [SECONDS]
set -eu
fuzzer=$1 fuzz_dir=$2 work=$3 seconds=${4:-30}
rm -rf "$work"
mkdir -p "$work/new" "$work/crashes"
# -rss_limit_mb: the largest image within the limit takes about 200 MB.
dict=
for d in "$fuzz_dir"/*.dict; do
  [ -f "$d" ] && dict="-dict=$d"
done
status=0
# shellcheck disable=SC2086 # $dict is one word, or none
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  $dict -artifact_prefix="$work/crashes/" \
  -print_final_stats=1 "$work/new" "$fuzz_dir/corpus" "$fuzz_dir/finds" \
  >"$work/log.txt" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 60 "$work/log.txt"
  # No input kept: the fuzzer itself failed (its runtime would not
  # start, say), and that is not a find.
  if [ -z "$(ls "$work/crashes")" ]; then
    echo "FAIL: the fuzzer ended with status $status and kept no input" >&2
  else
    echo "FAIL: the fuzzer found an input that breaks the reader:" >&2
    ls "$work/crashes" >&2
  fi
  exit 1
fi
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
  "$work/log.txt"
