#!/usr/bin/env bash
# CPU time of clocks under Wine over 60 seconds (or $1), beside a plain Win32 program with
# a 100 ms timer that draws nothing, all running at the same time. The clocks are the
# programs given after the duration (default: the 64-bit Varnet). CPU time is the time on
# a processor of all the process's threads (/proc/PID/task/*/schedstat, in nanoseconds),
# finer than the 10 ms steps of /proc/PID/stat.
source "$(dirname "$0")/clock_wine_lib.sh"
seconds=${1:-60}
shift || true
clocks=("$@")
[ ${#clocks[@]} -gt 0 ] || clocks=("$ROOT/build/win64/bin/Varnet.exe")

x86_64-w64-mingw32-g++ -O2 -static -mwindows -o "$BENCH/idle_timer.exe" "$ROOT/bench/idle_timer.cpp"
pids=()
for exe in "${clocks[@]}" "$BENCH/idle_timer.exe"; do
  # Each clock from a folder of its own: a clock runs once per file.
  mkdir -p "$BENCH/cpu-${#pids[@]}"
  cp "$exe" "$BENCH/cpu-${#pids[@]}/"
  "$WINE64" "$BENCH/cpu-${#pids[@]}/$(basename "$exe")" &
  pids+=($!)
  PIDS+=($!)
done
for pid in "${pids[@]}"; do wait_visible "$pid"; done
sleep 2  # past start-up

cpu_ns() {
  cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'
}
start=()
for pid in "${pids[@]}"; do start+=("$(cpu_ns "$pid")"); done
sleep "$seconds"
used=()
for i in "${!pids[@]}"; do used+=($(($(cpu_ns "${pids[i]}") - start[i]))); done
idle=${used[-1]}
echo "CPU time over $seconds s under Wine (all threads, user + system):"
for i in "${!clocks[@]}"; do
  awk -v t="${used[i]}" -v idle="$idle" -v s="$seconds" -v name="${clocks[i]#"$ROOT"/}" \
    'BEGIN { printf "  %-40s %.3f s (%.3f %%), %.2f of the idle timer window\n", name, t / 1e9, 100 * t / 1e9 / s, t / idle }'
done
awk -v t="$idle" -v s="$seconds" \
  'BEGIN { printf "  %-40s %.3f s (%.3f %%)\n", "idle 100 ms timer window", t / 1e9, 100 * t / 1e9 / s }'
