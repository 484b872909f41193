# Shared by the on-screen tests of the clocks (under Wine and natively); sourced, not run.
# Where a clock window is and what it shows, compared with `tavimore render`. The sourcing
# library provides find_window PID TITLE and screenshot FILE, and sets WORK, TAVIMORE and
# SCREEN_CHECK.

# "X Y" of window $1's top-left corner on the screen, and its size as "WxH".
window_position() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y"
}
window_size() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 0
  echo "${WIDTH}x$HEIGHT"
}

# find_window (the sourcing library's own, by process and title), waiting up to 30 s while
# process $1 runs, since a first start in a fresh server on a busy machine can be slow.
wait_window() {
  local i
  for i in $(seq 300); do
    find_window "$@" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to 5 s until process $1 has no visible window titled $2.
wait_window_gone() {
  local i
  for i in $(seq 100); do
    find_window "$1" "$2" >/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# Which of `tavimore render`'s pictures of clock file $4 screenshot $1 shows at window
# position $2 $3: every second from $5 to $6, each face image in $7 (a list such as
# "0 1 2"). Prints "SECOND:FRAME" of the exact match; fails, with the differences on
# standard error, when there is none.
rendered_match() {
  local shot=$1 x=$2 y=$3 program=$4 first=$5 last=$6 frames=$7 t f picture out
  local candidates=() labels=()
  for ((t = first; t <= last; t++)); do
    for f in $frames; do
      picture=$WORK/expected-$(basename "$program")-$t-$f.png
      [ -e "$picture" ] ||
        "$TAVIMORE" render "$program" --time "$(date -d "@$t" +%T)" --frame "$f" \
          --output "$picture" >/dev/null
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

