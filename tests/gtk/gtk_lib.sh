# Shared by the on-screen tests of tavimore-clock; sourced, not run.
#
# Each test has an X server of its own (Xvfb on the display it is given, black root window,
# so pixels outside a clock's outline read #000000) with the openbox window manager, and a
# home of its own: its own XDG folders, so clock locks, default handlers and settings never
# meet another test's or the user's. Everything a test starts is stopped by its process id
# when the test ends.
#
# Needs in the environment: GTK_TEST_ROOT (a folder for the tests' work), WIN32_BIN (the
# clock programs), TAVIMORE (the command line), TAVIMORE_CLOCK (the native clock) and
# SCREEN_CHECK (the screenshot comparer of the Wine tests).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../wine/check_lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/clock_frames.sh"

: "${GTK_TEST_ROOT:?}" "${WIN32_BIN:?}" "${TAVIMORE:?}" "${TAVIMORE_CLOCK:?}" "${SCREEN_CHECK:?}"
STARTED_PIDS=()
XVFB_PID=
stop_everything() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}

# Starts the test's X server on display :$1 with openbox, and a work folder and home of the
# test's own.
begin_test() {
  local display=$1 name=$2 i
  # A server of a test that has just ended may still be going away: give it a few seconds.
  for i in $(seq 100); do
    [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
    sleep 0.1
  done
  if [ -e "/tmp/.X$display-lock" ]; then
    echo "display :$display is taken (/tmp/.X$display-lock)"
    exit 1
  fi
  WORK=$GTK_TEST_ROOT/$name
  rm -rf "$WORK"
  mkdir -p "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/run"
  chmod 700 "$WORK/run"
  export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data
  export XDG_RUNTIME_DIR=$WORK/run XDG_CACHE_HOME=$WORK/home/.cache
  # No session bus here: the accessibility bridge would only wait for one and complain.
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11
  unset DBUS_SESSION_BUS_ADDRESS
  trap stop_everything EXIT
  Xvfb ":$display" -screen 0 800x600x24 -br -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=:$display
  for i in $(seq 600); do
    if ! kill -0 "$XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start on :$display; it said:"
      cat "$WORK/xvfb.log"
      exit 1
    fi
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.05
  done
  # openbox announces itself on the root window once it manages windows; a loaded machine
  # can take several seconds to start it. Now and then it finds the new server not yet
  # ready for it and gives up at once: then it is started again.
  local attempt wm
  for attempt in 1 2 3; do
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    wm=$!
    STARTED_PIDS+=("$wm")
    for i in $(seq 400); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.05
    done
    sleep 0.5
  done
  echo "openbox did not start on :$display; it said:"
  cat "$WORK/openbox.log"
  exit 1
}

# Starts the native clock on file $1 in the background (further arguments go before it:
# NAME=value pairs into its environment); its process id is left in APP, and the file that
# holds its error output in CLOCK_ERR.
start_clock() {
  local assignments=()
  while [[ $1 == *=* ]]; do
    assignments+=("$1")
    shift
  done
  CLOCK_ERR=$WORK/clock-${#STARTED_PIDS[@]}.err
  env "${assignments[@]}" "$TAVIMORE_CLOCK" "$@" 2>"$CLOCK_ERR" &
  APP=$!
  STARTED_PIDS+=("$APP")
}

# Prints the visible window of process $1 titled exactly $2; fails when there is none.
find_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] && { echo "$w"; return 0; }
  done
  return 1
}

# find_window and wait_window as checks, quietly.
has_window() { find_window "$@" >/dev/null; }
gets_window() { wait_window "$@" >/dev/null; }

# The visible windows of process $1 besides those titled $2: its menu, tooltip or boxes.
other_windows() {
  local w n=0
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] || n=$((n + 1))
  done
  echo "$n"
}

# Moves the pointer off every clock (to the screen's bottom-right corner) and waits up to
# 3 s until process $1 shows no window but those titled $2 (its tooltip hides).
pointer_away() {
  local i
  xdotool mousemove 790 590
  for i in $(seq 60); do
    [ "$(other_windows "$1" "$2")" = 0 ] && return 0
    sleep 0.05
  done
  return 1
}

# Waits up to $2 seconds (default 10) for process $1 to end; its exit code goes to EXIT_CODE.
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

# Ends clock $1 and waits until its windows are gone from the screen too.
stop_clock() {
  local i
  kill "$1" 2>/dev/null || true
  wait_exit "$1" || true
  for i in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --pid "$1" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
}

screenshot() {
  import -window root -depth 8 "PNG24:$1"
}

# Opens the clock's menu with a right click in the middle of window $1 and chooses the
# item $2 presses of Down below the top (the separator is skipped).
choose_menu_item() {
  local window=$1 downs=$2 x y keys=() i
  read -r x y < <(window_position "$window")
  xdotool mousemove $((x + 40)) $((y + 40)) click 3
  # The menu is open when a new visible window appears under the pointer's client.
  for i in $(seq 40); do
    [ "$(xdotool search --onlyvisible --pid "$APP" 2>/dev/null | wc -l)" -gt 1 ] && break
    sleep 0.05
  done
  for ((i = 0; i < downs; i++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}
