#!/usr/bin/env bash
# Test that a built clock with three distinct face images shows them in turn, one per
# second: two screenshots s seconds apart show frames s apart (mod 3), and each shows
# exactly what `tavimore render` draws with that frame.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" cycle

"$SCREEN_CHECK" strip "$WORK/strip.png" 3
"$TAVIMORE" build --definition "$CLOCK_BIN/Pirrow.exe" --image "$WORK/strip.png" \
  --output "$WORK/oriclock.exe" --hour '#FF0000,60' --minute '#00FF00,85' --second '#0000FF,95' >/dev/null
start_program "$WORK/oriclock.exe"
window=$(wait_window "$APP" '^Pirrow$') || { check "the built clock shows a window" false; finish; exit 1; }

# Samples a third of a second into each second, when the new face is surely drawn. A
# sample whose screenshot straddles a second on a busy machine matches nothing; a few
# of those are no fault of the clock.
seen=()
for sample in 1 2 3 4 5 6; do
  sleep_until_millisecond 330
  if shown=$(shown_frame "$window" "$WORK/oriclock.exe" "0 1 2"); then seen+=("$shown"); fi
done
echo "seconds and frames seen: ${seen[*]}"
check "at least 4 of 6 samples show one of the three faces exactly" test "${#seen[@]}" -ge 4

check "the faces follow each other one per second" faces_in_turn "${seen[@]}"
finish
