#!/usr/bin/env bash
# The main job on a fresh Debian machine: builds everything, makes a clock from the bundled
# moon strip with tavimore, and renders its face at the current time. Results go to
# build/demo/: oriclock.exe (a 32-bit Windows clock) and face.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in win32 win64 native; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
done

mkdir -p build/demo
tavimore=build/native/bin/tavimore
"$tavimore" build --definition build/win32/bin/Pirrow.exe --image samples/moon.png \
  --output build/demo/oriclock.exe --force \
  --name "月の時計" --url "https://tavimore.example/" --mail "clock@tavimore.example" \
  --hour "#FFF4C0,55" --minute "#FFFFFF,80" --second "#FF6060,90"
"$tavimore" inspect build/demo/oriclock.exe
"$tavimore" render build/demo/oriclock.exe --time "$(date +%H:%M:%S)" --output build/demo/face.png
# The same clock for 64-bit Windows, which Wine runs here: shown on the display, or, without
# one, as a screenshot from a private X server.
mkdir -p build/demo/win64
"$tavimore" build --definition build/win64/bin/Pirrow.exe --image samples/moon.png \
  --output build/demo/win64/oriclock.exe --force --name "月の時計" \
  --hour "#FFF4C0,55" --minute "#FFFFFF,80" --second "#FF6060,90"
bash scripts/show_clock.sh build/demo/win64/oriclock.exe build/demo/screen.png
echo "demo: build/demo/oriclock.exe and build/demo/face.png (and, without a display, build/demo/screen.png)"
