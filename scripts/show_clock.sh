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
wine64=/usr/lib/wine/wine64

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  WINEDEBUG=-all "$wine64" "$clock" >/dev/null 2>&1 &
  echo "show_clock: $clock runs on $DISPLAY (process $!)"
  exit 0
fi

# A display number and prefix of our own, so nothing of the user's is touched.
display=159
while [ -e "/tmp/.X$display-lock" ] && [ "$display" -gt 140 ]; do display=$((display - 1)); done
work=$(mktemp -d /tmp/wine-clock-show-XXXXXX)
export DISPLAY=:$display WINEPREFIX=$work/prefix WINEDEBUG=-all
Xvfb "$DISPLAY" -screen 0 320x240x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done
echo "show_clock: no display; starting one of our own (a new Wine prefix takes a few seconds)"
"$wine64" wineboot -i >/dev/null 2>&1
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine64" "$clock" >/dev/null 2>&1 &
app=$!
xdotool mousemove 0 0  # away from the clock, where its tooltip would cover it
for _ in $(seq 300); do
  xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2  # two seconds of ticking, so the screenshot shows a running clock
import -window root "PNG24:$shot"
kill "$app" 2>/dev/null || true
echo "show_clock: screenshot of the running clock in $shot"
