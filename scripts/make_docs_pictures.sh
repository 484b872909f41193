#!/usr/bin/env bash
# Regenerates the clock pictures under docs/clocks/ (see scripts/docs_pictures.py): builds
# tavimore and the 32-bit clock programs first, then draws each clock with `tavimore render`.
#
#   scripts/make_docs_pictures.sh [--no-build] [OUTPUT_DIR]
#
# OUTPUT_DIR defaults to docs/. --no-build uses the programs already built (what the test
# that keeps docs/ current does); TAVIMORE and CLOCK_BIN override where they are.
# The editor's screenshot is made by scripts/make_editor_screenshot.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then
  build=0
  shift
fi
output=${1:-$root/docs}

[ "$build" = 0 ] || bash "$root/scripts/build.sh" --quiet native win32
tavimore=${TAVIMORE:-$root/build/native/bin/tavimore}
clocks=${CLOCK_BIN:-$root/build/win32/bin}
for program in "$tavimore" "$clocks/Pirrow.exe"; do
  [ -f "$program" ] || { echo "make_docs_pictures: $program is missing; run without --no-build" >&2; exit 1; }
done
python3 "$root/scripts/docs_pictures.py" "$output" --tavimore "$tavimore" --clocks "$clocks"
