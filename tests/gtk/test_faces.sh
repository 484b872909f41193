#!/usr/bin/env bash
# Test that the native clock shows every clock program, and a clock built from one, exactly
# as `tavimore render` draws it for the second shown: face, hands, the window background
# beside the face and the outline (outside it, the black root window), and that a built
# clock's face images come in turn, one per second; and that on a HiDPI desktop (GDK_SCALE=2)
# the clock is drawn anew at that scale, as `tavimore render --scale 2` draws it.
source "$(dirname "$0")/gtk_lib.sh"
begin_test "$1" faces

check_build_faces "$WIN32_BIN"

# Three faces, each of its own colour with an asymmetric mark, on the Quellet outline with
# hands of the clock's own; started through `tavimore run`.
"$SCREEN_CHECK" strip "$WORK/strip.png" 3
"$TAVIMORE" build --definition "$WIN32_BIN/Quellet.exe" --image "$WORK/strip.png" \
  --output "$WORK/oriclock.exe" --name "三つの顔" --hour "#FFF4C0,55" --minute "#20FF20,80" \
  --second "#FF2020,95" >/dev/null
"$TAVIMORE" run "$WORK/oriclock.exe" 2>"$WORK/run.err" &
APP=$!
private_pids+=("$APP")
if window=$(wait_window "$APP" "^Quellet$"); then
  sleep 0.3
  # Five looks, half a second apart: each second's face follows the one before.
  seen=()
  for i in 1 2 3 4 5; do
    seen+=("$(shown_frame "$window" "$WORK/oriclock.exe" "0 1 2" || echo none)")
    sleep 0.5
  done
  echo "seen (second:face): ${seen[*]}"
  check "the built clock shows its faces in turn, one per second" faces_in_turn "${seen[@]}"
  stop_program "$APP"
else
  check "tavimore run shows the built clock" false
fi

# At GDK's scale factor 2 the window is 82 x 82 logical pixels, 164 x 164 on the screen,
# drawn as `tavimore render --scale 2` draws it, not the 82 x 82 window enlarged. GDK cuts
# the window in logical pixels, so a fringe of the window's own pixels may show beyond the
# outline (SCREEN_FRINGE).
start_program GDK_SCALE=2 "$WIN32_BIN/Varnet.exe"
if window=$(wait_window "$APP" "^Varnet$"); then
  check "at GDK_SCALE=2 the window is 164 x 164 pixels" test "$(window_size "$window")" = 164x164
  sleep 0.3
  CLOCK_SCALE=2 SCREEN_FRINGE=2 check "... and shows Varnet drawn at scale 2" \
    window_shows "$window" "$WIN32_BIN/Varnet.exe"
  stop_program "$APP"
else
  check "Varnet shows a window at GDK_SCALE=2" false
fi
finish
