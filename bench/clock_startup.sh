#!/usr/bin/env bash
# Time from starting a clock under Wine to its first drawn face on the screen, for the
# 32-bit and the 64-bit build: a clock with 255 face images (a 6.5 MB file read at start)
# beside the same clock as delivered. The clock draws its first face before it shows its
# window, so the window's appearance marks the first face. The server is kept running, as
# it is on a desktop; each figure is the median of five starts. A 32-bit program's time
# includes its launcher's (see scripts/private_wine.sh).
source "$(dirname "$0")/clock_wine_lib.sh"

"$ROOT/build/native/bin/screen_check" strip "$private_work/strip255.png" 255
for build in "${BUILDS[@]}"; do
  mkdir -p "$private_work/$build"
  "$ROOT/build/native/bin/tavimore" build --definition "$ROOT/build/$build/bin/Varnet.exe" \
    --image "$private_work/strip255.png" --output "$private_work/$build/oriclock.exe" >/dev/null
done
wineserver -w  # the server that made the prefix ends first
wineserver -p  # a persistent server, as a desktop session has one

start_ms() {
  local exe=$1 start end
  start=$(date +%s%N)
  wine_program_start "$exe"
  wait_visible "$APP"
  end=$(date +%s%N)
  wine_program_stop "$APP"
  echo $(((end - start) / 1000000))
}

median() { tr ' ' '\n' | sort -n | sed -n 3p; }

for build in "${BUILDS[@]}"; do
  for exe in "$ROOT/build/$build/bin/Varnet.exe" "$private_work/$build/oriclock.exe"; do
    times=()
    for run in 1 2 3 4 5; do times+=("$(start_ms "$exe")"); done
    echo "$build $(basename "$exe") ($(stat -c %s "$exe") bytes): start to first face ${times[*]} ms, median $(echo "${times[*]}" | median) ms"
  done
done
