#!/usr/bin/env bash
# Removes the shared prefix; the tests' own folders stay for a look at what failed.
set -euo pipefail
: "${CLOCK_TEST_ROOT:?}"
WINEPREFIX=$CLOCK_TEST_ROOT/prefix wineserver -k 2>/dev/null || true
rm -rf "$CLOCK_TEST_ROOT/prefix"
