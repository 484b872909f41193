#!/usr/bin/env bash
# Test that each of the five clocks, started as delivered, shows exactly what `tavimore
# render` draws for it at the second shown.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" faces

check_build_faces "$CLOCK_BIN"
finish
