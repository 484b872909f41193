#!/usr/bin/env bash
# Configures and builds CMake presets (native, sanitize, win32, win64, web), in the order given.
# The web preset needs the win32 one built first: the page carries its clock programs.
#
#   scripts/build.sh [--quiet] PRESET...
set -euo pipefail
cd "$(dirname "$0")/.."
quiet=0
if [ "${1:-}" = "--quiet" ]; then
  quiet=1
  shift
fi
# Debian's emscripten runs Node scripts that look for their modules in Debian's folder,
# where Node itself does not look.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
for preset in "$@"; do
  cmake --preset "$preset" >/dev/null
  if [ "$quiet" = 1 ]; then
    cmake --build --preset "$preset" -j "$(nproc)" >/dev/null
  else
    cmake --build --preset "$preset" -j "$(nproc)"
  fi
done
