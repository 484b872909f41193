#!/usr/bin/env bash
# Makes the release: dist/tavimore-<version>-win32.zip (what we ship), -win64.zip and
# -web.zip, from the Windows and web build trees (see scripts/package.py for what goes in
# and why).
#
#   scripts/package.sh [--no-build] [DIST_DIR]
#
# Builds the win32, win64 and web presets first unless --no-build; DIST_DIR defaults to dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then
  build=0
  shift
fi
dist=${1:-$root/dist}

[ "$build" = 0 ] || bash "$root/scripts/build.sh" --quiet win32 win64 web
python3 "$root/scripts/package.py" --dist "$dist" \
  --win32 "$root/build/win32/bin" --win64 "$root/build/win64/bin" \
  --web "$root/build/web/site"
