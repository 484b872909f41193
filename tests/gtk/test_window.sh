#!/usr/bin/env bash
# Test the clock window as a person uses it: it stays on top and out of the taskbar, the
# left button drags it, clicks outside its outline pass through it, Esc ends it, the
# tooltip shows the author and the date with the weekday in the user's language, one
# clock runs per file, and a damaged file gives the message and exit code 2.
source "$(dirname "$0")/gtk_lib.sh"
begin_test "$1" window
program=$WIN32_BIN/Varnet.exe

start_program "$program"
window=$(wait_window "$APP" "^Varnet$") || { check "Varnet shows a window" false; finish; }
state=$(xprop -id "$window" _NET_WM_STATE)
check "the clock stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
check "the clock is not in the taskbar" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
check "the clock is not in the pager" grep -q _NET_WM_STATE_SKIP_PAGER <<<"$state"
check "the clock is on every workspace" eval 'xprop -id "$window" _NET_WM_DESKTOP | grep -q "= 4294967295$"'

# What takes a click at a point: the pointer's window there.
window_at() {
  local X Y SCREEN WINDOW
  xdotool mousemove "$1" "$2"
  sleep 0.1
  eval "$(xdotool getmouselocation --shell)"
  echo "$WINDOW"
}
read -r x y < <(window_position "$window")
inside=$(window_at $((x + 40)) $((y + 3)))
outside=$(window_at $((x + 2)) $((y + 2)))  # the rounded corner is outside the outline
check "a click inside the outline reaches the clock" test "$inside" != "$outside"
check "a click outside the outline passes through" \
  test "$(window_at $((x - 20)) $((y - 20)))" = "$outside"

drag_window "$window" 60 35
moved_by() { window_moves_to "$window" $((x + $1)) $((y + $2)); }
check "dragging moves the clock with the pointer" moved_by 60 35
read -r x y < <(window_position "$window")
xdotool mousemove $((x + 40)) $((y + 40)) click 1
check "a click without moving leaves the clock where it was" moved_by 0 0
pointer_away "$window"
check "the moved clock still shows its face" window_shows "$window" "$program"
xdotool mousemove $((x + 40)) $((y + 40)) click 2 mousemove 790 590
sleep 0.5
check "the middle button opens nothing" test "$(other_windows "$APP" Varnet)" = 0
check "... and does not drag" moved_by 0 0

# Full-screen work in front: the window manager stacks it above the clock, which is
# "keep above" (EWMH does so for a focused full-screen window), and the clock is on top
# again once it is gone. Stacking, bottom first, as the window manager lists it.
stacked_above() {  # window $1 lies above window $2
  local list
  list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  python3 -c 'import sys; l = [int(w, 16) for w in sys.argv[3].split()]; sys.exit(0 if l.index(int(sys.argv[1])) > l.index(int(sys.argv[2])) else 1)' "$1" "$2" "$list"
}
"${FULL_SCREEN_WINDOW:?}" &
full=$!
private_pids+=("$full")
full_window=$(pid_window "$full")
check "a full-screen window in front lies above the clock" eval 'sleep 0.5; stacked_above "$full_window" "$window"'
kill "$full"
wait_exit "$full" 10 || true
check "... and once it is gone the clock lies above the rest" \
  eval 'sleep 0.5; xprop -root _NET_CLIENT_LIST_STACKING | grep -qi "$(printf "0x%x" "$window")\$"'

# The tooltip: the pointer rests on the clock until a window of the clock's process is
# titled with the author's name.
shown=$(hover_until "$window" "^Brenwick " || true)
expected="Brenwick $(LC_ALL=C date +%Y/%m/%d\(%a\))"
check "the tooltip reads \"$expected\" (saw \"$shown\")" test "$shown" = "$expected"

# One clock per file: the same file again, by another name, starts nothing.
ln -s "$program" "$WORK/link-to-varnet.exe"
first=$APP
start_program "$WORK/link-to-varnet.exe"
check "a second start of the same file ends at once" wait_exit "$APP" 10
check "... with exit code 0" test "${EXIT_CODE:-}" = 0
check "... and the first clock runs on" kill -0 "$first"
cp "$program" "$WORK/copy.exe"
start_program "$WORK/copy.exe"
check "a copy of the file runs beside it" gets_window "$APP" "^Varnet$"
read -r x y < <(window_position "$window")
read -r ox oy < <(window_position "$(wait_window "$APP" "^Varnet$")")
check "... not over it ($x,$y and $ox,$oy)" test $((ox - x >= 82 || x - ox >= 82 || oy - y >= 82 || y - oy >= 82)) = 1
stop_program "$APP"

# Esc ends the clock, once it has the keyboard focus (a click gives it).
APP=$first
read -r x y < <(window_position "$window")
xdotool mousemove $((x + 40)) $((y + 40)) click 1
sleep 0.2
xdotool key Escape
check "Esc ends the clock" wait_exit "$first" 10
check "... with exit code 0" test "${EXIT_CODE:-}" = 0
check "... and its window is gone" wait_window_gone "$first" "^Varnet$"
start_program "$program"
window=$(wait_window "$APP" "^Varnet$")
check "started again, the clock opens where it was left" window_moves_to "$window" "$x" "$y"
# A drag that rests on the way: the place kept is where it was dropped.
xdotool mousemove $((x + 40)) $((y + 40)) mousedown 1
for step in 10 20 rest 40 60; do
  [ "$step" = rest ] && sleep 0.6 || xdotool mousemove $((x + 40 + step)) $((y + 40 + step * 7 / 12)) sleep 0.05
done
xdotool mouseup 1 sleep 1  # the place is kept once the window has settled
stop_program "$APP"
start_program "$program"
window=$(wait_window "$APP" "^Varnet$")
check "a drag with a rest, then a new start: the clock opens where it was dropped" \
  window_moves_to "$window" $((x + 60)) $((y + 35))
stop_program "$APP"

# A Japanese desktop: the weekday in Japanese. The locale is made privately when the
# system has none.
mkdir -p "$WORK/locale"
if localedef -i ja_JP -f UTF-8 "$WORK/locale/ja_JP.UTF-8" 2>/dev/null; then
  start_program LOCPATH="$WORK/locale" LC_ALL=ja_JP.UTF-8 "$program"
  window=$(wait_window "$APP" "^Varnet$") || true
  shown=$(hover_until "$window" "^Brenwick " || true)
  expected="Brenwick $(LOCPATH="$WORK/locale" LC_ALL=ja_JP.UTF-8 date +%Y/%m/%d\(%a\))"
  check "in Japanese the tooltip reads \"$expected\" (saw \"$shown\")" test "$shown" = "$expected"
  check "... with a Japanese weekday" grep -qv "([A-Za-z]*)$" <<<"$shown"
  stop_program "$APP"
else
  check "a Japanese locale can be made (localedef)" false
fi

# Damaged files: cut in the middle of a face image, and an image count of 0.
"$SCREEN_CHECK" strip "$WORK/strip.png" 2
"$TAVIMORE" build --definition "$WIN32_BIN/Pirrow.exe" --image "$WORK/strip.png" \
  --output "$WORK/whole.exe" >/dev/null
head -c 60000 "$WORK/whole.exe" >"$WORK/cut.exe"
# The count is the first byte after the three texts, each here a lone zero byte.
cp "$WORK/whole.exe" "$WORK/no-images.exe"
printf '\0' | dd of="$WORK/no-images.exe" bs=1 seek=55003 conv=notrunc status=none
# Starts the clock on file $1 and expects a message box titled $2 rather than a clock, text
# $3 on the error output, and exit code $4 once the box is closed with Return.
refused_with_message() {
  local w
  start_program "$1"
  w=$(wait_window "$APP" "^$2$") || { echo "no message box"; return 1; }
  [ "$(window_size "$w")" != 82x82 ] || { echo "a clock window, not a message"; return 1; }
  grep -q "$3" "$CLOCK_ERR" || { echo "error output: $(cat "$CLOCK_ERR")"; return 1; }
  xdotool windowactivate --sync "$w" key Return
  wait_exit "$APP" 10 && [ "$EXIT_CODE" = "$4" ]
}
damaged="時計ファイルが壊れているため、起動できません。"
check "a cut file: the message in a box, then exit code 2" \
  refused_with_message "$WORK/cut.exe" Pirrow "$damaged" 2
check "an image count of 0: the message, then exit code 2" \
  refused_with_message "$WORK/no-images.exe" Pirrow "$damaged" 2
check "a file that is no clock: a box too, then exit code 1" \
  refused_with_message "$WORK/strip.png" Tavimore "is not a clock file" 1
check "a missing file: a box too, then exit code 1" \
  refused_with_message "$WORK/missing.exe" Tavimore "missing.exe" 1
finish
