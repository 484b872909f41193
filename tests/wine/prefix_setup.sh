#!/usr/bin/env bash
# Makes the Wine prefix the clock tests of one build share, the way scripts/private_wine.sh
# makes every prefix of ours, on a private X server on display :$1.
set -euo pipefail
: "${CLOCK_TEST_ROOT:?}"
source "$(dirname "$0")/../../scripts/private_wine.sh"
rm -rf "$CLOCK_TEST_ROOT"
mkdir -p "$CLOCK_TEST_ROOT"
export WINEPREFIX=$CLOCK_TEST_ROOT/prefix WINEDEBUG=-all
x_start "$1" 800x600x24 -br
private_wine_boot
wineserver -w
echo "prefix ready at $WINEPREFIX ($("$WINE64" --version))"
