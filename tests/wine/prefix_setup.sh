#!/usr/bin/env bash
# Makes the Wine prefix the clock tests share: a fresh prefix, no window manager wanted
# (Wine draws the frames of the windows that have them; a clock has none) and a font with
# Japanese glyphs in place of the missing "MS UI Gothic".
set -euo pipefail
: "${CLOCK_TEST_ROOT:?}"
display=$1
rm -rf "$CLOCK_TEST_ROOT"
mkdir -p "$CLOCK_TEST_ROOT"
export WINEPREFIX=$CLOCK_TEST_ROOT/prefix WINEDEBUG=-all DISPLAY=:$display
Xvfb ":$display" -screen 0 800x600x24 -br -nolisten tcp >"$CLOCK_TEST_ROOT/xvfb.log" 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
  /d IPAGothic /f >/dev/null 2>&1
wineserver -w
echo "prefix ready at $WINEPREFIX"
