#!/usr/bin/env bash
# Test that a clock takes the keyboard as it appears, as an ordinary window does: it has
# the focus once it shows, and Esc pressed right then ends it, with no click and no focus
# step first. The pointer stays away from the clock: with no window manager, keys reach
# whatever window is under the pointer until a program takes the focus.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" keyboard

# True when X window $1 has the keyboard focus.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

xdotool mousemove 790 590
"$SCREEN_CHECK" strip "$WORK/strip.png" 2
"$TAVIMORE" build --definition "$CLOCK_BIN/Ossimar.exe" --image "$WORK/strip.png" \
  --output "$WORK/oriclock.exe" >/dev/null
for exe in "$CLOCK_BIN/Quellet.exe" "$WORK/oriclock.exe"; do
  what=$(basename "$exe")
  start_program "$exe"
  clock=$APP
  window=$(wait_window "$clock" '' 82x82) || { check "$what shows a window" false; continue; }
  check "$what has the keyboard focus once it shows" within 5 has_focus "$window"
  xdotool key Escape
  check "Esc right after $what appears ends it" wait_exit "$clock" 10
  check "... with exit code 0" test "${EXIT_CODE:-}" = 0
  stop_program "$clock"
done
finish
