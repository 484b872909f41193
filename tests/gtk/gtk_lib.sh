# Shared by the on-screen tests of tavimore-clock; sourced, not run.
#
# Each test has an X server of its own with the openbox window manager, and a home of its
# own: its own XDG folders, so clock locks, default handlers and settings never meet another
# test's or the user's. Everything a test starts is stopped by its process id at its end.
#
# Needs in the environment: GTK_TEST_ROOT (a folder for the tests' work), WIN32_BIN (the
# clock programs), TAVIMORE (the command line), TAVIMORE_CLOCK (the native clock) and
# SCREEN_CHECK (the screenshot comparer of the Wine tests).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private_x.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/clock_screen.sh"

: "${GTK_TEST_ROOT:?}" "${WIN32_BIN:?}" "${TAVIMORE:?}" "${TAVIMORE_CLOCK:?}" "${SCREEN_CHECK:?}"

# The test's X server on display :$1 with openbox, and a work folder and home, named $2.
begin_test() {
  X_LOG=$GTK_TEST_ROOT/$2.xvfb.log
  mkdir -p "$GTK_TEST_ROOT"
  begin_screen_test "$1" "$GTK_TEST_ROOT" "$2"
  mkdir -p "$WORK/home" "$WORK/config" "$WORK/data" "$WORK/run"
  chmod 700 "$WORK/run"
  export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data
  export XDG_RUNTIME_DIR=$WORK/run XDG_CACHE_HOME=$WORK/home/.cache
  # No session bus here: the accessibility bridge would only wait for one and complain.
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11
  unset DBUS_SESSION_BUS_ADDRESS
  WM_LOG=$WORK/openbox.log x_window_manager || exit 1
}

# Starts the native clock on file $1 in the background (further arguments go before it:
# NAME=value pairs into its environment); its process id is left in APP, and the file that
# holds its error output in CLOCK_ERR.
start_program() {
  local assignments=()
  while [[ $1 == *=* ]]; do
    assignments+=("$1")
    shift
  done
  CLOCK_ERR=$WORK/clock-${#private_pids[@]}.err
  env "${assignments[@]}" "$TAVIMORE_CLOCK" "$@" 2>"$CLOCK_ERR" &
  APP=$!
  private_pids+=("$APP")
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

window_owner() { echo "$1"; }
end_program() {
  kill "$1" 2>/dev/null || true
  wait_exit "$1" || true
}
