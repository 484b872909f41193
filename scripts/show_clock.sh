#!/usr/bin/env bash
# Shows a 64-bit clock program (or built clock) running under Wine.
#
#   scripts/show_clock.sh CLOCK.exe [SCREENSHOT.png]
#
# With a display (DISPLAY set and reachable) the clock starts there, in the usual Wine
# prefix, and keeps running: drag it with the left button, right-click for its menu, click
# it and press Esc to close it. Without one, the clock runs for a few seconds in a private
# X server and Wine prefix, and a screenshot of it is saved (default: beside the clock, as
# CLOCK.png); both are removed again.
set -euo pipefail
clock=$(realpath "$1")
shot=${2:-${clock%.exe}.png}

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  WINEDEBUG=-all /usr/lib/wine/wine64 "$clock" >/dev/null 2>&1 &
  echo "show_clock: $clock runs on $DISPLAY (process $!)"
  exit 0
fi

# A display and prefix of our own, so nothing of the user's is touched.
source "$(dirname "$0")/private_wine.sh"
private_wine_start show-clock 180 189 320x240x24
echo "show_clock: no display; starting one of our own (a new Wine prefix takes a few seconds)"
private_wine_boot
"$wine64" "$clock" >/dev/null 2>&1 &
app=$!
private_wine_pids+=("$app")
xdotool mousemove 0 0  # away from the clock, where its tooltip would cover it
private_wine_window "$app" >/dev/null || { echo "show_clock: no clock window appeared" >&2; exit 1; }
sleep 2  # two seconds of ticking, so the screenshot shows a running clock
import -window root "PNG24:$shot"
echo "show_clock: screenshot of the running clock in $shot"
