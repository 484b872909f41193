#!/usr/bin/env bash
# Time from starting a clock under Wine to its first drawn face on the screen, for a clock
# with 255 face images (a 6.5 MB file read at start) beside the same clock as delivered.
# The clock draws its first face before it shows its window, so the window's appearance
# marks the first face. The server is kept running, as it is on a desktop; each figure is
# the median of RUNS starts (default 5). A 32-bit program's time includes its launcher's
# (see scripts/private_wine.sh).
#
#   bench/clock_startup.sh [BIN...]   folders holding Varnet.exe (default build/win32/bin
#                                     and build/win64/bin: both builds in one run);
#                                     with several, their starts take turns, so that a
#                                     busy spell of the machine falls on all of them
source "$(dirname "$0")/clock_wine_lib.sh"
bins=("$@")
[ ${#bins[@]} -gt 0 ] || bins=("$ROOT/build/win32/bin" "$ROOT/build/win64/bin")

"$ROOT/build/native/bin/screen_check" strip "$BENCH/strip255.png" 255
exes=()
for i in "${!bins[@]}"; do
  mkdir -p "$BENCH/start-$i"
  cp "${bins[i]}/Varnet.exe" "$BENCH/start-$i/Varnet.exe"
  rm -f "$BENCH/start-$i/oriclock.exe"
  "$ROOT/build/native/bin/tavimore" build --definition "${bins[i]}/Varnet.exe" \
    --image "$BENCH/strip255.png" --output "$BENCH/start-$i/oriclock.exe" >/dev/null
  exes+=("$BENCH/start-$i/Varnet.exe" "$BENCH/start-$i/oriclock.exe")
done
wineserver -w  # the server that made the prefix ends first
wineserver -p  # a persistent server, as a desktop session has one

start_ms() {
  local exe=$1 start end
  start=$(date +%s%N)
  wine_program_start "$exe" >/dev/null
  wait_visible "$APP"
  end=$(date +%s%N)
  wine_program_stop "$APP"
  echo $(((end - start) / 1000000))
}

runs=${RUNS:-5}
median() { tr ' ' '\n' | grep . | sort -n | sed -n "$(((runs + 1) / 2))p"; }

declare -A times
for ((run = 0; run < runs; run++)); do
  for exe in "${exes[@]}"; do times[$exe]+="$(start_ms "$exe") "; done
done
for i in "${!bins[@]}"; do
  for exe in "$BENCH/start-$i/Varnet.exe" "$BENCH/start-$i/oriclock.exe"; do
    echo "${bins[i]#"$ROOT"/}: $(basename "$exe") ($(stat -c %s "$exe") bytes): start to first face ${times[$exe]}ms, median $(echo "${times[$exe]}" | median) ms"
  done
done
