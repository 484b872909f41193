# The one way our on-screen tests, benchmarks and scripts get an X server of their own, and
# what they all do with its windows; sourced (run, it serves a display to the Python tests,
# below). Everything started is stopped by its process id at exit, the server last.
#
#   x_start DISPLAY_NUMBER GEOMETRY [Xvfb option...]
#       a server on exactly that display (fails when it stays taken); sets DISPLAY
#   x_start_free NAME FIRST LAST GEOMETRY [Xvfb option...]
#       a server on the first free display of FIRST..LAST (or of $TAVIMORE_DISPLAYS), and a
#       new folder, private_work
#   x_window_manager                  openbox, once it manages windows
#   private_pids+=("$pid")            further processes to stop at exit
#   private_cleanup_hooks+=(FUNCTION) run at exit before those are stopped
#   pid_window PID                    the first visible window of process PID (waits 30 s)
#   wait_exit PID [SECONDS]           waits for its end; its exit code goes to EXIT_CODE
#   pointer_away WINDOW               the pointer off every window, WINDOW's tooltip gone
#   screenshot FILE                   the whole screen as a PNG
#   window_position WINDOW, window_size WINDOW    "X Y" of its top-left corner, "WxH"
# Run:
#   bash scripts/private_x.sh serve DISPLAY_NUMBER GEOMETRY [Xvfb option...]
#       prints "ready" once the server answers and keeps it until it is sent SIGTERM

private_pids=()
private_cleanup_hooks=()
private_xvfb=
private_work=

private_cleanup() {
  local pid hook
  for hook in "${private_cleanup_hooks[@]}"; do "$hook"; done
  for pid in "${private_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${private_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ -n "$private_xvfb" ]; then
    kill "$private_xvfb" 2>/dev/null || true
    wait "$private_xvfb" 2>/dev/null || true
  fi
  [ -z "$private_work" ] || rm -rf "$private_work"
}

# True while display $1 has a live server. A lock whose server was killed is removed: only
# our own runs use our displays.
x_display_taken() {
  local lock=/tmp/.X$1-lock pid
  [ -e "$lock" ] || return 1
  pid=$(tr -d ' ' <"$lock" 2>/dev/null) || return 0
  [[ $pid =~ ^[0-9]+$ ]] && ! kill -0 "$pid" 2>/dev/null || return 0
  rm -f "$lock" "/tmp/.X11-unix/X$1"
  return 1
}

# The server's output goes to $X_LOG when set, and is shown when it does not start.
x_start() {
  local display=$1 geometry=$2 i
  shift 2
  # A server of a test that has just ended may still be going away: give it a few seconds.
  for i in $(seq 100); do
    x_display_taken "$display" || break
    sleep 0.1
  done
  if x_display_taken "$display"; then
    echo "display :$display is taken (/tmp/.X$display-lock)" >&2
    return 1
  fi
  export DISPLAY=:$display
  trap private_cleanup EXIT
  Xvfb "$DISPLAY" -screen 0 "$geometry" -nolisten tcp "$@" >"${X_LOG:-/dev/null}" 2>&1 &
  private_xvfb=$!
  for i in $(seq 600); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    kill -0 "$private_xvfb" 2>/dev/null || break
    sleep 0.05
  done
  echo "the X server on $DISPLAY did not start" >&2
  [ -z "${X_LOG:-}" ] || cat "$X_LOG" >&2
  return 1
}

# TAVIMORE_DISPLAYS="FIRST LAST" moves every script's range, for several checkouts at once.
x_start_free() {
  local name=$1 first last display
  read -r first last <<<"${TAVIMORE_DISPLAYS:-$2 $3}"
  shift 3
  display=$first
  while [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
    [ "$display" -le "$last" ] || { echo "$name: displays :$first to :$last are all taken" >&2; return 1; }
  done
  private_work=$(mktemp -d "/tmp/tavimore-$name-XXXXXX")
  x_start "$display" "$@"
}

# openbox announces itself on the root window once it manages windows; a loaded machine can
# take several seconds to start it. Now and then it finds a new server not yet ready for it
# and gives up at once: then it is started again. Its output goes to $WM_LOG when set.
x_window_manager() {
  local attempt wm i
  for attempt in 1 2 3; do
    openbox --sm-disable >"${WM_LOG:-/dev/null}" 2>&1 &
    wm=$!
    private_pids+=("$wm")
    for i in $(seq 400); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.05
    done
    sleep 0.5
  done
  echo "openbox did not start on $DISPLAY" >&2
  [ -z "${WM_LOG:-}" ] || cat "$WM_LOG" >&2
  return 1
}

# A first start in a fresh server can be slow: up to 30 s.
pid_window() {
  local pid=$1 window i
  for i in $(seq 300); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

wait_exit() {
  local pid=$1 limit=${2:-10} i
  for i in $(seq $((limit * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_CODE=0
      wait "$pid" 2>/dev/null || EXIT_CODE=$?
      return 0
    fi
    sleep 0.05
  done
  return 1
}

# Moves the pointer across window $1 and off it to the screen's bottom-right corner, and
# waits up to 3 s until the window's process shows no other window (its tooltip hides).
# Wine sees no pointer motion outside its own windows, so the pointer crosses the window
# first: otherwise a Wine program may go on taking the pointer for resting where it was.
pointer_away() {
  local pid width height x y i
  pid=$(xdotool getwindowpid "$1") || return 1
  read -r width height < <(xdotool getdisplaygeometry)
  read -r x y < <(window_position "$1")
  xdotool mousemove $((x + 40)) $((y + 40)) sleep 0.05 mousemove $((width - 1)) $((height - 1))
  for i in $(seq 60); do
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -cvx "$1")" = 0 ] && return 0
    sleep 0.05
  done
  return 1
}

screenshot() {
  import -window root -depth 8 "PNG24:$1"
}

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

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  [ "${1:-}" = serve ] && [ "$#" -ge 3 ] || { echo "usage: private_x.sh serve DISPLAY_NUMBER GEOMETRY [Xvfb option...]" >&2; exit 2; }
  shift
  x_start "$@"
  echo ready
  trap 'exit 0' TERM
  wait "$private_xvfb"
fi
