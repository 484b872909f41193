#!/usr/bin/env bash
# CPU time of a clock under Wine over 60 seconds (or $1), beside a plain Win32 program with
# the same 100 ms timer that draws nothing, both running at the same time.
source "$(dirname "$0")/clock_wine_lib.sh"
seconds=${1:-60}

x86_64-w64-mingw32-g++ -O2 -static -mwindows -o "$BENCH/idle_timer.exe" "$ROOT/bench/idle_timer.cpp"
"$WINE64" "$ROOT/build/win64/bin/Varnet.exe" &
clock=$!
PIDS+=("$clock")
"$WINE64" "$BENCH/idle_timer.exe" &
idle=$!
PIDS+=("$idle")
wait_visible "$clock"
wait_visible "$idle"
sleep 2  # past start-up

hz=$(getconf CLK_TCK)
c0=$(cpu_ticks "$clock") i0=$(cpu_ticks "$idle")
sleep "$seconds"
c1=$(cpu_ticks "$clock") i1=$(cpu_ticks "$idle")
echo "CPU time over $seconds s under Wine (user + system):"
awk -v t=$((c1 - c0)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "  clock (Varnet):           %.2f s (%.2f %%)\n", t / hz, 100 * t / hz / s }'
awk -v t=$((i1 - i0)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "  idle 100 ms timer window: %.2f s (%.2f %%)\n", t / hz, 100 * t / hz / s }'
