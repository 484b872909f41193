#!/usr/bin/env bash
# Test that each of the five clocks, started as delivered, shows exactly what `tavimore
# render` draws for it at the second shown: its built-in picture or plain face, the hands,
# the window background beside the face, and its outline (outside it, the root window).
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" faces

for build in ${CLOCK_BUILDS:?}; do
  start_program "$CLOCK_BIN/$build.exe"
  if ! window=$(wait_window "$APP" "^$build\$"); then
    check "$build shows a window" false
    continue
  fi
  check "$build's window is 82 x 82" test "$(window_size "$window")" = 82x82
  sleep 0.3  # let the first redraw reach the screen
  check "$build shows its face, hands and outline" window_shows "$window" "$CLOCK_BIN/$build.exe"
  stop_program "$APP"
done
finish
