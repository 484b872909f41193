#!/usr/bin/env bash
# Records a 64-bit clock program (or built clock) running under Wine where there is no
# display: in a private X server and Wine prefix it saves
#   OUTPUT_DIR/screen.png   the whole screen with the running clock
#   OUTPUT_DIR/clock.gif    ten seconds of the clock, one picture per second, cut to its window
# and removes the server, the prefix and its folder again.
#
#   scripts/record_clock.sh CLOCK.exe OUTPUT_DIR
#
# Uses the first free X display from :180 to :189; stops everything it started by its
# process id (and the prefix's wineserver with wineserver -k).
set -euo pipefail
clock=$(realpath "$1")
output=$(realpath -m "$2")
wine64=/usr/lib/wine/wine64
seconds=10
mkdir -p "$output"

display=180
while [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
  [ "$display" -le 189 ] || { echo "record_clock: displays :180 to :189 are all taken" >&2; exit 1; }
done
work=$(mktemp -d /tmp/tavimore-record-XXXXXX)
export DISPLAY=:$display WINEPREFIX=$work/prefix WINEDEBUG=-all
# A white root window: around the clock's outline the screen shows it.
Xvfb "$DISPLAY" -screen 0 320x240x24 -wr -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done

echo "record_clock: no display; a private one on $DISPLAY with a new Wine prefix (a few seconds)"
"$wine64" wineboot -i >/dev/null 2>&1
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine64" "$clock" >/dev/null 2>&1 &
app=$!
xdotool mousemove 0 0  # away from the clock, where its tooltip would cover it
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1) && [ -n "$window" ] && break
  kill -0 "$app" 2>/dev/null || { echo "record_clock: the clock ended at once" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "record_clock: no clock window appeared" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
crop=${WIDTH}x${HEIGHT}+$X+$Y

# Half way into each second: the clock shows a new second within a tenth of one, so every
# picture shows one settled second, and the face picture that goes with it.
next_half_second() {
  local ms=$((10#$(date +%N) / 1000000))
  sleep "$(printf '0.%03d' $(((1500 - ms) % 1000)))"
}
next_half_second
import -window root "PNG24:$output/screen.png"
for i in $(seq -w 1 "$seconds"); do
  [ "$i" = 01 ] || next_half_second
  import -window root -crop "$crop" +repage "PNG24:$work/frame-$i.png"
done
convert -delay 100 -loop 0 "$work"/frame-*.png "$output/clock.gif"
echo "record_clock: $output/screen.png and $output/clock.gif ($seconds s of the clock's ${WIDTH}x$HEIGHT window)"
