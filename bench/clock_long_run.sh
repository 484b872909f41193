#!/usr/bin/env bash
# Whether a clock holds steady over a long run under Wine: its live GDI objects, live USER
# objects and memory once a minute over a run of DURATION seconds (default 1800), with the
# tooltip shown and the menu opened and dismissed once a minute, half-way between two
# snapshots (whatever the first tooltip and menu make once, a font, a cached bitmap, is
# then in every snapshot).
#
#   bench/clock_long_run.sh [DURATION] [CLOCK]    CLOCK: a clock program (default: a clock
#                                                 built from Varnet with 8 face images)
#
# Wine has no GetGuiResources, so the counts come from traces:
# - GDI: the clock runs with WINEDEBUG=+gdi, which traces every object allocated or freed
#   with the process's live count ("allocated ... 71/65536"; a "freed" line shows the count
#   before the object went).
# - USER: the Wine server runs with -d1 and traces every request. Windows, menus, cursors,
#   icons and hooks are made and ended by requests to it; the clock's live USER objects are
#   its threads' successful creations less its successful destructions.
# - Memory: /proc/PID/status of the clock's process.
source "$(dirname "$0")/clock_wine_lib.sh"
duration=${1:-1800}
clock_exe=${2:-}
minute=60
[ "$duration" -gt "$minute" ] || { echo "DURATION must be more than $minute s"; exit 1; }

if [ -z "$clock_exe" ]; then
  "$ROOT/build/native/bin/screen_check" strip "$BENCH/strip8.png" 8
  rm -f "$BENCH/long-run.exe"
  "$ROOT/build/native/bin/tavimore" build --definition "$ROOT/build/win64/bin/Varnet.exe" \
    --image "$BENCH/strip8.png" --output "$BENCH/long-run.exe" >/dev/null
  clock_exe=$BENCH/long-run.exe
fi

# A server of our own that traces requests; of those only the ones that make or end USER
# objects, and the ones that tell a thread's Unix id, are kept.
wineserver -k 2>/dev/null || true
wineserver -w
server_log=$BENCH/long-run-server.log
gdi_log=$BENCH/long-run-gdi.log
wineserver -f -p -d1 2> >(grep --line-buffered -E \
  '^[0-9a-f]+: (init_first_thread|init_thread|create_window|destroy_window|alloc_user_handle|free_user_handle|set_hook|remove_hook)\(' \
  >"$server_log") &
# Wine names the server's socket after the prefix's device and inode numbers, in hex.
socket=/tmp/.wine-$(id -u)/server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")/socket
for _ in $(seq 300); do
  [ -S "$socket" ] && break
  sleep 0.1
done

WINEDEBUG=+gdi "$WINE64" "$clock_exe" 2> >(grep --line-buffered -E 'trace:gdi:(alloc|free)_gdi_handle' >"$gdi_log") &
clock=$!
PIDS+=("$clock")
wait_visible "$clock"
window=$(xdotool search --onlyvisible --pid "$clock" | head -1)
start=$(date +%s)

# The pointer rests on the clock until its tooltip shows (two moves inside the window:
# Wine sees no motion outside its own windows); then the menu is opened and dismissed with
# a click beside it (Esc would close the clock were the menu not open).
exercise() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 38)) $((Y + 40))
  sleep 0.05
  xdotool mousemove $((X + 40)) $((Y + 40))
  sleep 1.5
  xdotool click 3
  sleep 0.5
  xdotool mousemove 700 550 click 1
}

# The Wine thread ids of the clock's threads, as "|"-separated list, from the first $1 lines
# of the server trace: the thread whose process has the clock's Unix process id, and those
# whose Unix thread ids are the clock process's. (Wine's own processes, which a first
# program starts, write their traces to the clock's output too.)
clock_threads() {
  local tasks
  tasks=$(ls "/proc/$clock/task" | tr '\n' ' ')
  head -n "$1" "$server_log" | awk -v pid="$clock" -v tasks="$tasks" '
    BEGIN { split(tasks, t, " "); for (i in t) unix[t[i]] = 1 }
    $2 == "init_first_thread(" && $3 == "unix_pid=" pid "," { mine[$1] = 1 }
    $2 == "init_thread(" { u = $3; sub(/unix_tid=/, "", u); sub(/,/, "", u); if (u in unix) mine[$1] = 1 }
    END { for (tid in mine) { sub(/:$/, "", tid); list = list (list ? "|" : "") tid } print list }'
}

# Live GDI objects after the first $1 lines of the GDI trace.
gdi_objects() {
  head -n "$1" "$gdi_log" | awk -F: -v threads="^($threads)$" '
    $1 !~ threads { next }
    { count = $0; sub(/\/[0-9]+$/, "", count); sub(/.* /, "", count) }
    / allocated / { n = count }
    / freed / { n = count - 1 }
    END { print n + 0 }'
}

# Live USER objects of the clock's threads after the first $1 lines of the server trace.
user_objects() {
  head -n "$1" "$server_log" | awk -v threads="^($threads):$" '
    $1 !~ threads || $3 != "=" || $4 != "0" { next }
    $2 ~ /^(create_window|alloc_user_handle|set_hook)\(\)$/ { n++ }
    $2 ~ /^(destroy_window|free_user_handle|remove_hook)\(\)$/ { n-- }
    END { print n + 0 }'
}

memory() {
  awk '/^(VmRSS|VmData|VmSize):/ { printf "  %s %s kB", $1, $2 }' "/proc/$clock/status"
}

snapshot() {
  local gdi_lines server_lines
  gdi_lines=$(wc -l <"$gdi_log")
  server_lines=$(wc -l <"$server_log")
  threads=$(clock_threads "$server_lines")
  echo "after $1 s: GDI objects $(gdi_objects "$gdi_lines"), USER objects $(user_objects "$server_lines"),$(memory)"
}

echo "$(basename "$clock_exe") under Wine for $duration s:"
next_exercise=$((start + minute / 2))
next_snapshot=$((start + minute))
while :; do
  now=$(date +%s)
  elapsed=$((now - start))
  kill -0 "$clock" 2>/dev/null || { echo "the clock ended after $elapsed s"; exit 1; }
  if [ "$now" -ge "$next_snapshot" ] || [ "$elapsed" -ge "$duration" ]; then
    snapshot "$elapsed"
    next_snapshot=$((next_snapshot + minute))
  fi
  [ "$elapsed" -lt "$duration" ] || break
  if [ "$now" -ge "$next_exercise" ]; then
    exercise
    next_exercise=$((next_exercise + minute))
  fi
  sleep 1
done
awk -v hz="$(getconf CLK_TCK)" '{ printf "CPU time of the clock over the run: %.2f s\n", ($14 + $15) / hz }' \
  "/proc/$clock/stat"
