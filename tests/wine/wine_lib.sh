# Shared by the Wine tests of the clock programs; sourced, not run.
#
# Each test has an X server of its own on the display it is given and uses the Wine prefix
# that prefix_setup.sh made for its build, one test at a time. Programs start, are found and
# stop the way scripts/private_wine.sh does it for both builds (a 32-bit program runs in a
# process of its own, not in the one started); everything a test starts is stopped by its
# process id, and the prefix's wineserver with `wineserver -k`, when the test ends. The
# clock's X window is the whole window: Wine draws no frame for it without a window
# manager, and the clock has none of its own.
#
# Needs in the environment: CLOCK_TEST_ROOT (the folder holding prefix/), CLOCK_BIN (the
# clock programs of the build under test), TAVIMORE (the command line) and SCREEN_CHECK
# (the test helper).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private_wine.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/clock_screen.sh"

: "${CLOCK_TEST_ROOT:?}" "${CLOCK_BIN:?}" "${TAVIMORE:?}" "${SCREEN_CHECK:?}"
export WINEPREFIX=$CLOCK_TEST_ROOT/prefix
export WINEDEBUG=-all

# The test's X server on display :$1 and its work folder, named $2.
begin_test() {
  [ -d "$WINEPREFIX" ] || { echo "no Wine prefix at $WINEPREFIX (prefix_setup.sh)"; exit 1; }
  begin_screen_test "$1" "$CLOCK_TEST_ROOT" "$2"
}

# The text of the last message box program log $1 shows, as Wine's trace writes it (a
# string literal with \r and \n escaped).
message_box_text() {
  sed -n 's/.*trace:msgbox:MSGBOX_OnInit \(L".*"\)$/\1/p' "$1" | tail -1
}

# Starts a Windows program in the background, its handle in APP (as wine_program_start).
start_program() { wine_program_start "$@"; }
window_owner() { wine_program_pid "$1"; }
end_program() { wine_program_stop "$1"; }

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

# Sleeps until the host clock is $1 milliseconds into a second (the next such moment).
sleep_until_millisecond() {
  local now=$(date +%N)
  local ms=$((10#${now:0:3}))
  local wait=$(((1000 + $1 - ms) % 1000))
  [ "$wait" -lt 50 ] && wait=$((wait + 1000))
  sleep "$((wait / 1000)).$(printf %03d $((wait % 1000)))"
}
