#!/usr/bin/env bash
# The main job on a fresh Debian machine: builds everything (the web page too), makes the
# release zips, makes a clock from the bundled animated moon strip (eight face pictures) with
# tavimore, renders its face, and runs it under Wine:
#   - with a display (DISPLAY set and reachable), the clock starts there and keeps running,
#     and beside it the same clock natively (tavimore-clock, where GTK 3 is installed);
#   - without one, it runs in a private X server, and a screenshot and an animated GIF of
#     ten seconds of it are saved.
# The clock that runs is the 32-bit one, what a Windows user gets, under the Wine 10 of the
# Debian 13 root that runs 32-bit programs (scripts/wine_root.sh makes it when missing).
# Results: dist/tavimore-<version>-win32.zip, -win64.zip and -web.zip (the editor as a web
# page); under build/demo/: oriclock.exe (the 32-bit clock), face.png and, without a
# display, screen.png and clock.gif.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh win32 win64 web native

bash scripts/package.sh --no-build

mkdir -p build/demo
tavimore=build/native/bin/tavimore
"$tavimore" build --definition build/win32/bin/Pirrow.exe --image samples/moon.png \
  --output build/demo/oriclock.exe --force \
  --name "月の時計" --url "https://tavimore.example/" --mail "clock@tavimore.example" \
  --hour "#FFF4C0,55" --minute "#FFFFFF,80" --second "#FF6060,90"
"$tavimore" inspect build/demo/oriclock.exe
"$tavimore" render build/demo/oriclock.exe --time "$(date +%H:%M:%S)" --output build/demo/face.png
# Some virtual machines run no 32-bit code at all, and then no 32-bit program starts under
# Wine: the same clock built from the 64-bit program stands in for it there.
running=build/demo/oriclock.exe
if ! bash scripts/in_wine_root.sh bash scripts/if_wine_runs_32bit.sh build/native/tests/wine32_probe.exe \
    true >/dev/null; then
  running=build/demo/oriclock-win64.exe
  "$tavimore" build --definition build/win64/bin/Pirrow.exe --image samples/moon.png \
    --output "$running" --force \
    --name "月の時計" --url "https://tavimore.example/" --mail "clock@tavimore.example" \
    --hour "#FFF4C0,55" --minute "#FFFFFF,80" --second "#FF6060,90" >/dev/null
  echo "demo: this machine runs no 32-bit programs; the 64-bit clock ($running) runs instead"
fi
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  bash scripts/show_clock.sh "$running"
  shown="the clock runs on $DISPLAY"
  if [ -x build/native/bin/tavimore-clock ]; then
    # The 32-bit clock file, as a Windows user would get it, shown natively; it runs on
    # after the main job, as the Wine clock does.
    setsid "$tavimore" run build/demo/oriclock.exe >/dev/null 2>&1 </dev/null &
    shown="$shown, under Wine and natively (process $!)"
  fi
else
  rm -f build/demo/screen.png build/demo/clock.gif
  bash scripts/record_clock.sh "$running" build/demo
  shown="build/demo/screen.png, build/demo/clock.gif"
fi
echo "demo: dist/*.zip, build/demo/oriclock.exe, build/demo/face.png; $shown ($running)"
