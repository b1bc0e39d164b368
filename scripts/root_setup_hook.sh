#!/bin/sh
# mmdebstrap's setup hook for the roots of scripts/roots.sh: makes apt's
# folder of downloaded packages, for the cache to be copied into.
#   root_setup_hook.sh ROOT
set -eu
mkdir -p "$1/var/cache/apt/archives/partial"
