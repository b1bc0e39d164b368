#!/bin/sh
# Remakes the fuzzer's seeds in corpus/: every test file of the loader's
# own, and every layout ImageMagick writes. Run from the top of the
# repository after a default build; then merge in what a long run found:
#   tests/fuzz/make_seeds.sh
#   build/fuzz/tests/fuzz/image_file_fuzz -merge=1 tests/fuzz/corpus NEW_DIR
set -eu
corpus=tests/fuzz/corpus
tests=build/default/tests
mkdir -p "$corpus"
"$tests/write_bmp_cases" "$corpus" >/dev/null
tests/image/imagemagick_bmps_test.sh "$tests/load_images" "$corpus" >/dev/null
