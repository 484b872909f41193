#!/usr/bin/env bash
# Configures and builds CMake presets (native, sanitize, win32, win64), in the order given.
#
#   scripts/build.sh [--quiet] PRESET...
set -euo pipefail
cd "$(dirname "$0")/.."
quiet=0
if [ "${1:-}" = "--quiet" ]; then
  quiet=1
  shift
fi
for preset in "$@"; do
  cmake --preset "$preset" >/dev/null
  if [ "$quiet" = 1 ]; then
    cmake --build --preset "$preset" -j "$(nproc)" >/dev/null
  else
    cmake --build --preset "$preset" -j "$(nproc)"
  fi
done
