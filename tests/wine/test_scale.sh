#!/usr/bin/env bash
# Test the clocks on a screen of 150 % and of 200 %. Wine takes the system's DPI from the
# user's LogPixels value when a program starts, but its monitors keep the DPI they had
# when the prefix's server first listed them; a new server lists them anew, as signing in
# again does on Windows, and then monitor and system agree. Each clock, per-monitor aware
# by its manifest, draws itself at its monitor's scale: a window of round(82 s) pixels
# whose every pixel, outline included, is what `tavimore render --scale s` draws, not the
# 82 x 82 picture stretched.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" scale

desktop='HKCU\Control Panel\Desktop'
set_dpi() {
  "$WINE64" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  wineserver -k 2>/dev/null || true
  wineserver -w
}
restore_dpi() { set_dpi 96; }
# The prefix is shared with the other tests, which expect 100 %: put back before the
# prefix's server is stopped at the end.
private_cleanup_hooks=(restore_dpi "${private_cleanup_hooks[@]}")
for scale in 1.5:144:123 2:192:164; do
  IFS=: read -r CLOCK_SCALE dpi size <<<"$scale"
  set_dpi "$dpi"
  CLOCK_SCALE=$CLOCK_SCALE check_build_faces "$CLOCK_BIN" "$size"
done

# Dragged onto a monitor of 200 %: Windows tells the clock with WM_DPICHANGED and a place;
# Wine has one DPI for all monitors, so dpi_probe sends what Windows would.
set_dpi 96
# The pointer away from where the clock goes: resting on it, it would bring up the tooltip
# over the face, sooner or later as the machine's load has it.
xdotool mousemove 5 5
start_program "$CLOCK_BIN/Varnet.exe"
if window=$(wait_window "$APP" "^Varnet\$"); then
  moved=$("$WINE64" "$DPI_PROBE" 192 300 200 2>/dev/null | tr -d '\r')
  check "moved to 200 %, the clock takes the suggested place and its size there ($moved)" \
    test "$moved" = "300 200 464 364 164"
  # Asked first for its size at 1000 %, it answers its size at 500 %, its largest.
  moved=$("$WINE64" "$DPI_PROBE" 960 0 0 2>/dev/null | tr -d '\r')
  check "... at 1000 % it gives its own size, not ten times 82 ($moved)" test "$moved" = "0 0 410 410 410"
  "$WINE64" "$DPI_PROBE" 192 300 200 >/dev/null 2>&1
  sleep 0.3
  CLOCK_SCALE=2 check "... and shows itself drawn at 200 %" window_shows "$window" "$CLOCK_BIN/Varnet.exe"
  stop_program "$APP"
else
  check "Varnet shows a window" false
fi

finish
