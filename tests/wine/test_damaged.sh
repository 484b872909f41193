#!/usr/bin/env bash
# Test that a clock file whose payload is damaged starts, says in a message box that the
# clock file is damaged, shows no clock, and ends when the box is closed; while a file cut
# only by the last byte (which the reader's own zero byte stands in for) is still a clock.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" damaged

# Empty texts, so the payload starts with three zero bytes and the hand block, with the
# image count as its first byte, at offset 55003.
"$SCREEN_CHECK" strip "$WORK/strip.png" 2
"$TAVIMORE" build --definition "$CLOCK_BIN/Varnet.exe" --image "$WORK/strip.png" \
  --output "$WORK/good.exe" >/dev/null
size=$(stat -c %s "$WORK/good.exe")
# The message as Wine's trace writes it: each character outside ASCII as \ and 4 hex digits
# ("時計ファイルが壊れているため、起動できません。").
damaged_message='L"\6642\8a08\30d5\30a1\30a4\30eb\304c\58ca\308c\3066\3044\308b\305f\3081\3001\8d77\52d5\3067\304d\307e\305b\3093\3002"'

# Each case: a name and the file's length (the good file cut there), or "count0".
cases=(
  "exactly-55000-bytes 55000"
  "cut-in-the-texts 55002"
  "cut-in-the-hand-block 55010"
  "cut-in-the-first-image 60000"
  "cut-in-the-last-image $((size - 1000))"
  "count0 count0"
)
for entry in "${cases[@]}"; do
  read -r name length <<<"$entry"
  mkdir -p "$WORK/$name"
  file=$WORK/$name/oriclock.exe
  if [ "$length" = count0 ]; then
    cp "$WORK/good.exe" "$file"
    printf '\0' | dd of="$file" bs=1 seek=55003 conv=notrunc status=none
  else
    head -c "$length" "$WORK/good.exe" >"$file"
  fi
  PROGRAM_LOG=$WORK/$name/msgbox.log start_program WINEDEBUG=-all,+msgbox "$file"
  clock=$APP
  if ! box=$(wait_window "$clock" '^Varnet$'); then
    check "$name: a message box appears" false
    continue
  fi
  check "$name: a message box, not a clock" test "$(window_size "$box")" != 82x82
  check "$name: it says the clock file is damaged" \
    test "$(message_box_text "$WORK/$name/msgbox.log")" = "$damaged_message"
  xdotool key Return
  check "$name: the program ends when the box is closed" wait_exit "$clock" 10
  check "$name: ... with exit code 2" test "${EXIT_CODE:-}" = 2
done

# The last byte of the last image is the one the reader supplies itself.
head -c $((size - 1)) "$WORK/good.exe" >"$WORK/last-byte-cut.exe"
start_program "$WORK/last-byte-cut.exe"
clock=$APP
check "a file cut by its last byte still starts as a clock" \
  eval 'window=$(wait_window "$clock" "^Varnet\$" 82x82)'
# Either face: on a busy machine the next second, with the second face, may have begun by
# the time the screenshot is taken.
check "... showing its faces" eval 'shown_frame "$window" "$WORK/good.exe" "0 1" >/dev/null'
stop_program "$clock"
finish
