#!/usr/bin/env bash
# Records a clock program (or built clock), 32-bit or 64-bit, running under Wine in the
# Debian 13 root (scripts/in_wine_root.sh; made when missing) where there is no display: in a private X server and Wine prefix it saves
#   OUTPUT_DIR/screen.png   the whole screen with the running clock
#   OUTPUT_DIR/clock.gif    ten seconds of the clock, one picture per second, cut to its window
# and removes the server, the prefix and its folder again.
#
#   scripts/record_clock.sh CLOCK.exe OUTPUT_DIR
#
# Uses the first free X display from :180 to :189 (or of TAVIMORE_DISPLAYS="FIRST LAST");
# stops everything it started by its process id (and the prefix's wineserver with
# wineserver -k).
set -euo pipefail
clock=$(realpath "$1")
output=$(realpath -m "$2")
seconds=10
mkdir -p "$output"
if [ -z "${TAVIMORE_IN_WINE_ROOT:-}" ]; then
  TAVIMORE_ROOT_BINDS=$(dirname "$clock"):$output \
    exec bash "$(dirname "$0")/in_wine_root.sh" bash "$0" "$clock" "$output"
fi

source "$(dirname "$0")/private_wine.sh"
# A white root window: around the clock's outline the screen shows it.
private_wine_start record-clock 180 189 320x240x24 -wr
echo "record_clock: no display; a private one on $DISPLAY with a new Wine prefix (a few seconds)"
private_wine_boot
wine_program_start "$clock" 2>/dev/null
window=$(wine_window "$APP") || { echo "record_clock: no clock window appeared" >&2; exit 1; }
# Off the clock, where its tooltip would cover the face.
pointer_away "$window" || { echo "record_clock: the clock's tooltip stays" >&2; exit 1; }
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
  import -window root -crop "$crop" +repage "PNG24:$private_work/frame-$i.png"
done
convert -delay 100 -loop 0 "$private_work"/frame-*.png "$output/clock.gif"
echo "record_clock: $output/screen.png and $output/clock.gif ($seconds s of the clock's ${WIDTH}x$HEIGHT window)"
