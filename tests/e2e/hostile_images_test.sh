#!/bin/bash
# The real program with one hostile image of each kind of refusal, in
# place of the road image and then of the roadside image: each run ends
# with one message that names the file and gives the reason, status 1,
# never a signal or a hang. The kinds are the reasons that the loader
# gives, in the process, for the files of its tests (each broken and
# hostile one), a 4 GiB sparse file and every input the fuzzer ever found;
# the loader's own tests require each of those files to be refused. Outside
# the sanitizer build glibc's heap checks are on, so a write past a block
# shows even where it does not crash. Each message box is read from
# xmessage's command line and closed by ending it. One program at a time:
# the library's window set-up waits for its window's first exposure, which
# a window of another instance can hold off.
#   hostile_images_test.sh DRIVE DATA_DIR WRITE_BMP_CASES LOAD_IMAGES FINDS_DIR
DRIVE=$1 DATA_DIR=$2 WRITE_BMP_CASES=$3 LOAD_IMAGES=$4 FINDS_DIR=$(realpath "$5")
. "$(dirname "$0")/lib.sh"

DRIVE_ENV=""
ldd "$DRIVE" | grep -q libasan ||
  DRIVE_ENV="LD_PRELOAD=libc_malloc_debug.so.0 MALLOC_CHECK_=3 MALLOC_PERTURB_=165"

cases=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$cases"' EXIT
"$WRITE_BMP_CASES" "$cases" >"$cases/list.txt" || fail "cannot write the cases"
# The 32-bit 65536 x 16384 header of the cases with all of its 2^32 bytes
# of pixels there: a sparse file, costing no disk.
cp "$cases/bits32_65536_by_16384.bmp" "$cases/sparse_4_gib.bmp"
truncate -s $((54 + 4294967296)) "$cases/sparse_4_gib.bmp"
for file in "$FINDS_DIR"/*; do
  ln -s "$file" "$cases/find-$(basename "$file").bmp"
done

# Each refused file as "NAME|REASON", in the loader's words; the first
# file of each reason stands for its kind.
hostile=$(grep '|.' "$cases/list.txt" | cut -d'|' -f1)
# shellcheck disable=SC2086 # the names are meant to split
(cd "$cases" && "$LOAD_IMAGES" $hostile sparse_4_gib.bmp find-*.bmp) |
  sed -n 's/^\([^:]*\): \(.*\)$/\1|\2/p' | grep -v '|loaded [0-9]*x[0-9]*$' |
  awk -F'|' '!seen[$2]++' >"$cases/kinds.txt"
kinds=$(wc -l <"$cases/kinds.txt")
[ "$kinds" -gt 0 ] || fail "no file refused"

# run_case NAME REASON TARGET: the program with file NAME as TARGET, in a
# folder of its own; checks its message, closes the box and waits for its
# end.
run_case() {
  local name=$1 reason=$2 target=$3
  CASE="$name as $target"
  WORKDIR="$cases/run-$name-$target"
  mkdir "$WORKDIR"
  cp "$DATA_DIR/lep.bmp" "$DATA_DIR/emblem.bmp" "$WORKDIR/"
  cp "$cases/$name" "$WORKDIR/$target"
  start_drive
  read_message
  kill "$BOX_PID"
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "status $STATUS, expected 1"
  case "$MESSAGE" in
  "Error durante la carga de la imagen $target:"$'\n'"$reason"?*) ;;
  *) fail "unexpected message: $MESSAGE" ;;
  esac
  grep -q 'malloc\|free()' "$WORKDIR/out.txt" && fail "$(cat "$WORKDIR/out.txt")"
  rm -rf "$WORKDIR"
}

mapfile -t lines <"$cases/kinds.txt"
for line in "${lines[@]}"; do
  run_case "${line%%|*}" "${line#*|}" lep.bmp
  run_case "${line%%|*}" "${line#*|}" emblem.bmp
done
echo "ok: $kinds kinds of refusal, each as the road and as the roadside:" \
  "one message and status 1"
