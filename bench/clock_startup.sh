#!/usr/bin/env bash
# Time from starting a clock under Wine to its first drawn face on the screen, for a clock
# with 255 face images (a 6.5 MB file read at start) beside the same clock as delivered.
# The clock draws its first face before it shows its window, so the window's appearance
# marks the first face. The server is kept running, as it is on a desktop; each figure is
# the median of five starts.
source "$(dirname "$0")/clock_wine_lib.sh"

"$ROOT/build/native/bin/screen_check" strip "$BENCH/strip255.png" 255
rm -f "$BENCH/oriclock.exe"
"$ROOT/build/native/bin/tavimore" build --definition "$ROOT/build/win64/bin/Varnet.exe" \
  --image "$BENCH/strip255.png" --output "$BENCH/oriclock.exe" >/dev/null
wineserver -w  # the server that made the prefix ends first
wineserver -p  # a persistent server, as a desktop session has one

start_ms() {
  local exe=$1 start end pid
  start=$(date +%s%N)
  "$WINE64" "$exe" &
  pid=$!
  wait_visible "$pid"
  end=$(date +%s%N)
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  echo $(((end - start) / 1000000))
}

median() { tr ' ' '\n' | sort -n | sed -n 3p; }

for exe in "$ROOT/build/win64/bin/Varnet.exe" "$BENCH/oriclock.exe"; do
  times=()
  for run in 1 2 3 4 5; do times+=("$(start_ms "$exe")"); done
  echo "$(basename "$exe") ($(stat -c %s "$exe") bytes): start to first face ${times[*]} ms, median $(echo "${times[*]}" | median) ms"
done
