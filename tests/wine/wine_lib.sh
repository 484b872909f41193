# Shared by the Wine tests of the clock programs; sourced, not run.
#
# Each test has an X server of its own (Xvfb on the display it is given, black root
# window, so pixels outside a clock's outline read #000000) and uses the Wine prefix that
# prefix_setup.sh made for its build, one test at a time. Programs start, are found and
# stop the way scripts/private_wine.sh does it for both builds (a 32-bit program runs in a
# process of its own, not in the one started); everything a test starts is stopped by its
# process id, and the prefix's wineserver with `wineserver -k`, when the test ends.
#
# Needs in the environment: CLOCK_TEST_ROOT (the folder holding prefix/), CLOCK_BIN (the
# clock programs of the build under test), TAVIMORE (the command line) and SCREEN_CHECK
# (the test helper).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/check_lib.sh"
# The clock's X window is the whole window: Wine draws no frame for it without a window
# manager, and the clock has none of its own.
source "$(dirname "${BASH_SOURCE[0]}")/../support/clock_frames.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private_wine.sh"

: "${CLOCK_TEST_ROOT:?}" "${CLOCK_BIN:?}" "${TAVIMORE:?}" "${SCREEN_CHECK:?}"
export WINEPREFIX=$CLOCK_TEST_ROOT/prefix
export WINEDEBUG=-all

# Starts the test's X server on display :$1 and a work folder of the test's own.
begin_test() {
  local display=$1 name=$2
  [ -d "$WINEPREFIX" ] || { echo "no Wine prefix at $WINEPREFIX (prefix_setup.sh)"; exit 1; }
  WORK=$CLOCK_TEST_ROOT/$name
  rm -rf "$WORK"
  mkdir -p "$WORK"
  trap private_wine_cleanup EXIT
  wine_x_start "$display" 800x600x24 -br || exit 1
}

# The text of the last message box program log $1 shows, as Wine's trace writes it (a
# string literal with \r and \n escaped).
message_box_text() {
  sed -n 's/.*trace:msgbox:MSGBOX_OnInit \(L".*"\)$/\1/p' "$1" | tail -1
}

# Starts a Windows program in the background; its handle is left in APP (see
# wine_program_start). Variables given before the program (NAME=value ...) go into its
# environment. Its error output (where Wine writes the traces a test asks for with
# WINEDEBUG) goes to $PROGRAM_LOG when set.
start_program() {
  wine_program_start "$@"
}

# Prints the visible window of program $1 (a handle from start_program) whose title matches the anchored pattern $2
# (any title when empty) and, when given, whose size is $3 ("WxH"); fails when there is
# none. Titles are compared as xdotool getwindowname reads them (_NET_WM_NAME, UTF-8), not
# with `search --name`, which reads WM_NAME: in a locale without Japanese, Wine writes "?"
# there.
find_window() {
  local pid pattern=${2:-} size=${3:-} w
  pid=$(wine_program_pid "$1") || return 1
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ -z "$pattern" ] || [[ "$(xdotool getwindowname "$w" 2>/dev/null)" =~ $pattern ]] || continue
    if [ -z "$size" ] || [ "$(window_size "$w")" = "$size" ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# Number of visible windows with title pattern $1 (anchored) and size $2.
count_windows() {
  local n=0 w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    [ "$(window_size "$w")" = "$2" ] && n=$((n + 1))
  done
  echo "$n"
}

# Waits up to 2 s until there are $3 visible windows titled $1 of size $2.
wait_window_count() {
  local i
  for i in $(seq 40); do
    [ "$(count_windows "$1" "$2")" = "$3" ] && return 0
    sleep 0.05
  done
  return 1
}

# Waits up to $2 seconds (default 10) for program $1 to end; its exit code goes to
# EXIT_CODE.
wait_exit() {
  wine_program_wait "$@"
}

# Sleeps until the host clock is $1 milliseconds into a second (the next such moment).
sleep_until_millisecond() {
  local now=$(date +%N)
  local ms=$((10#${now:0:3}))
  local wait=$(((1000 + $1 - ms) % 1000))
  [ "$wait" -lt 50 ] && wait=$((wait + 1000))
  sleep "$((wait / 1000)).$(printf %03d $((wait % 1000)))"
}

# Ends program $1 and waits until its windows are gone from the screen too (an X window
# can outlive its process for a moment, and would hide what comes after it).
stop_program() {
  local pid i
  pid=$(wine_program_pid "$1") || true
  wine_program_stop "$1"
  [ -n "$pid" ] || return 0
  for i in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ] && return 0
    sleep 0.05
  done
}

screenshot() {
  import -window root -depth 8 "PNG24:$1"
}

# Opens the clock's pop-up menu with a right click on window $1 and chooses the item
# `Down` presses below the top (separators are skipped).
choose_menu_item() {
  local window=$1 downs=$2 x y keys=()
  read -r x y < <(window_position "$window")
  xdotool mousemove $((x + 40)) $((y + 40)) click 3
  sleep 0.5
  for ((i = 0; i < downs; i++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}
