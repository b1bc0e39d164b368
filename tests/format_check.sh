#!/bin/sh
# Fails when a tracked C++ file is not formatted by the repository's
# .clang-format.
set -eu
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
