#!/usr/bin/env bash
# Shows a clock program (or built clock), 32-bit or 64-bit, running under Wine in the
# Debian 13 root (scripts/in_wine_root.sh; made when missing).
#
#   scripts/show_clock.sh CLOCK.exe [SCREENSHOT.png]
#
# With a display (DISPLAY set and reachable) the clock starts there, in the root's own Wine
# prefix (/root/.wine inside the root, never the user's), and keeps running: drag it with the left button, right-click for its menu, click
# it and press Esc to close it. Without one, the clock runs for a few seconds in a private
# X server and Wine prefix, and a screenshot of it is saved (default: beside the clock, as
# CLOCK.png); both are removed again.
set -euo pipefail
clock=$(realpath "$1")
shot=$(realpath -m "${2:-${clock%.exe}.png}")
if [ -z "${TAVIMORE_IN_WINE_ROOT:-}" ]; then
  TAVIMORE_ROOT_BINDS=$(dirname "$clock"):$(dirname "$shot") \
    exec bash "$(dirname "$0")/in_wine_root.sh" bash "$0" "$clock" "$shot"
fi
source "$(dirname "$0")/private_wine.sh"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  export WINEDEBUG=-all WINEPREFIX=/root/.wine
  [ -d "$WINEPREFIX" ] || private_wine_boot
  wine_program_start "$clock" 2>/dev/null
  echo "show_clock: $clock runs on $DISPLAY (process $(wine_program_pid "$APP"))"
  exit 0
fi

# A display and prefix of our own, so nothing of the user's is touched.
private_wine_start show-clock 180 189 320x240x24
echo "show_clock: no display; starting one of our own (a new Wine prefix takes a few seconds)"
private_wine_boot
wine_program_start "$clock" 2>/dev/null
window=$(wine_window "$APP") || { echo "show_clock: no clock window appeared" >&2; exit 1; }
pointer_away "$window" || true  # off the clock, where its tooltip would cover it
sleep 2  # two seconds of ticking, so the screenshot shows a running clock
import -window root "PNG24:$shot"
echo "show_clock: screenshot of the running clock in $shot"
