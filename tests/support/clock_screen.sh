# Shared by the on-screen tests of the clocks (under Wine and natively); sourced, not run,
# after scripts/private_x.sh (or scripts/private_wine.sh, which brings it). Where a
# clock's windows are, what they show compared with `tavimore render`, and its menu. The
# sourcing library provides window_owner HANDLE (the process that owns the windows of the
# program it started as HANDLE) and end_program HANDLE, and sets TAVIMORE and SCREEN_CHECK.
source "$(dirname "${BASH_SOURCE[0]}")/check_lib.sh"

# A work folder of the test's own, WORK=$2/$3, and the test's X server on display :$1, with
# a black root window: pixels outside a clock's outline read #000000.
begin_screen_test() {
  WORK=$2/$3
  rm -rf "$WORK"
  mkdir -p "$WORK"
  x_start "$1" 800x600x24 -br || exit 1
}

# Prints the visible window of program $1 whose title matches the anchored pattern $2 (any
# title when empty) and, when given, whose size is $3 ("WxH"); fails when there is none.
# Titles are compared as xdotool getwindowname reads them (_NET_WM_NAME, UTF-8), not with
# `search --name`, which reads WM_NAME: in a locale without Japanese, Wine writes "?" there.
find_window() {
  local pid pattern=${2:-} size=${3:-} w
  pid=$(window_owner "$1") || return 1
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ -z "$pattern" ] || [[ "$(xdotool getwindowname "$w" 2>/dev/null)" =~ $pattern ]] || continue
    if [ -z "$size" ] || [ "$(window_size "$w")" = "$size" ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# find_window, waiting up to 30 s while program $1 runs: a first start in a fresh server on
# a busy machine can be slow.
wait_window() {
  local i
  for i in $(seq 300); do
    find_window "$@" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to 5 s until program $1 has no visible window titled $2.
wait_window_gone() {
  local i
  for i in $(seq 100); do
    find_window "$1" "$2" >/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# Ends program $1 and waits until its windows are gone from the screen too (an X window
# can outlive its process for a moment, and would hide what comes after it).
stop_program() {
  local pid i
  pid=$(window_owner "$1") || true
  end_program "$1"
  [ -n "$pid" ] || return 0
  for i in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
}

# Drags window $1 by ($2, $3) with the left button from its middle, in five steps as a hand
# does.
drag_window() {
  local x y step
  read -r x y < <(window_position "$1")
  xdotool mousemove $((x + 40)) $((y + 40)) mousedown 1
  for step in 1 2 3 4 5; do
    xdotool mousemove $((x + 40 + $2 * step / 5)) $((y + 40 + $3 * step / 5))
    sleep 0.05
  done
  xdotool mouseup 1
}

# Runs the command $2... every twentieth of a second until it succeeds, trying until $1
# seconds have passed; fails when it never does.
within() {
  local end=$(($(date +%s%N) + $1 * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# Waits up to 2 s until window $1 stands at "$2 $3".
window_moves_to() {
  local i at
  for i in $(seq 40); do
    at=$(window_position "$1")
    [ "$at" = "$2 $3" ] && return 0
    sleep 0.05
  done
  echo "the window is at $at, not $2 $3"
  return 1
}

# Rests the pointer on window $1 (two moves inside it: Wine sees no motion outside its own
# windows) and waits up to 6 s for another window of its process, the tooltip, whose title
# matches $2; prints that title.
hover_until() {
  local x y i w pid name
  pid=$(xdotool getwindowpid "$1") || return 1
  read -r x y < <(window_position "$1")
  xdotool mousemove $((x + 38)) $((y + 40)) sleep 0.1 mousemove $((x + 40)) $((y + 40))
  for i in $(seq 60); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      name=$(xdotool getwindowname "$w" 2>/dev/null || true)
      [ "$w" != "$1" ] && [[ $name =~ $2 ]] && { echo "$name"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Opens the clock's pop-up menu with a right click in the middle of window $1 and chooses
# the item $2 presses of Down below the top (separators are skipped); keys given after $2
# are pressed instead of Return (Right, Down..., Return: an item of its sub-menu). The menu
# is open when the clock's process shows one more window, within 2 s.
choose_menu_item() {
  local window=$1 downs=$2 x y keys=() i pid before
  pid=$(xdotool getwindowpid "$window")
  before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
  read -r x y < <(window_position "$window")
  xdotool mousemove $((x + 40)) $((y + 40)) click 3
  for i in $(seq 40); do
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.05
  done
  for ((i = 0; i < downs; i++)); do keys+=(Down); done
  [ $# -gt 2 ] || set -- "$1" "$2" Return
  xdotool key "${keys[@]}" "${@:3}"
}

# Which of `tavimore render`'s pictures of clock file $4 screenshot $1 shows at window
# position $2 $3: every second from $5 to $6, each face image in $7 (a list such as
# "0 1 2"), drawn at the scale CLOCK_SCALE (default 1). Prints "SECOND:FRAME" of the exact
# match; fails, with the differences on standard error, when there is none.
rendered_match() {
  local shot=$1 x=$2 y=$3 program=$4 first=$5 last=$6 frames=$7 t f picture out
  local candidates=() labels=()
  for ((t = first; t <= last; t++)); do
    for f in $frames; do
      picture=$WORK/expected-$(basename "$program")-$t-$f-${CLOCK_SCALE:-1}.png
      [ -e "$picture" ] ||
        "$TAVIMORE" render "$program" --time "$(date -d "@$t" +%T)" --frame "$f" \
          --scale "${CLOCK_SCALE:-1}" --output "$picture" >/dev/null
      candidates+=("$picture")
      labels+=("$t:$f")
    done
  done
  if ! out=$("$SCREEN_CHECK" compare "$shot" "$x" "$y" "${candidates[@]}"); then
    echo "$out" >&2
    return 1
  fi
  echo "${labels[${out#match }]}"
}

# Which face of clock file $2 window $1 shows: one screenshot is compared with `tavimore
# render`'s pictures of each face image in $3 (a list such as "0 1 2") at every second the
# screenshot spans, and the second before (a clock shows a new second within a tenth of a
# second, but the screenshot may begin just before, and a busy machine may hold the redraw
# back). Prints "SECOND:FRAME" of the exact match; fails, with the differences, when there
# is none.
shown_frame() {
  local window=$1 program=$2 frames=$3 shot=$WORK/shot.png t0 t1 x y
  read -r x y < <(window_position "$window")
  t0=$(date +%s)
  screenshot "$shot"
  t1=$(date +%s)
  # Every second the screenshot spans: on a loaded machine it can take more than one.
  rendered_match "$shot" "$x" "$y" "$program" $((t0 - 1)) "$t1" "$frames" && return 0
  cp "$shot" "$WORK/mismatch-$(date +%s%N).png"
  return 1
}

# Checks that clock window $1 shows clock file $2 with face image $3 (default 0).
window_shows() {
  shown_frame "$1" "$2" "${3:-0}" >/dev/null
}


# Checks that each of the clock programs in folder $1, started as delivered, shows exactly
# what `tavimore render` draws for it at the second shown: its built-in picture or plain
# face, the hands, the window background beside the face, and its outline (outside it, the
# root window). The window is $2 pixels square (default 82), drawn at CLOCK_SCALE.
check_build_faces() {
  local size=${2:-82}
  local build window
  for build in ${CLOCK_BUILDS:?}; do
    start_program "$1/$build.exe"
    if ! window=$(wait_window "$APP" "^$build\$"); then
      check "$build shows a window" false
      continue
    fi
    check "$build's window is $size x $size" test "$(window_size "$window")" = "${size}x$size"
    sleep 0.3  # let the first redraw reach the screen
    check "$build shows its face, hands and outline" window_shows "$window" "$1/$build.exe"
    stop_program "$APP"
  done
}

# True when the looks given ("SECOND:FRAME" from shown_frame, of a clock of three faces)
# show the faces in turn, one per second, in order and over more than one second.
faces_in_turn() {
  [ "$#" -gt 0 ] || return 1
  local first=$1 previous=$1 look
  for look in "$@"; do
    [[ $look == *:* ]] && [ "${look%:*}" -ge "${previous%:*}" ] || return 1
    [ $(((${look#*:} - ${first#*:} + 3) % 3)) = $(((${look%:*} - ${first%:*}) % 3)) ] || return 1
    previous=$look
  done
  [ "${look%:*}" -gt "${first%:*}" ]
}
