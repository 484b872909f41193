#!/usr/bin/env bash
# CPU time of clocks under Wine over 60 seconds (or $1), each beside a plain Win32 program
# of its own architecture with a 100 ms timer that draws nothing, all running at the same
# time. The clocks are the programs given after the duration (default: the 32-bit and the
# 64-bit Varnet); a 32-bit clock is compared with the 32-bit timer program, a 64-bit one
# with the 64-bit one. CPU time is the time on a processor of all the program's threads.
source "$(dirname "$0")/clock_wine_lib.sh"
seconds=${1:-60}
shift || true
clocks=("$@")
[ ${#clocks[@]} -gt 0 ] || clocks=("$ROOT/build/win32/bin/Varnet.exe" "$ROOT/build/win64/bin/Varnet.exe")

# The idle timer program of each architecture the clocks have, only: a machine may run
# no 32-bit code at all.
timers=()
for exe in "${clocks[@]}"; do
  if pe_is_32bit "$exe"; then timer=$BENCH/idle_timer-win32.exe; else timer=$BENCH/idle_timer-win64.exe; fi
  [[ " ${timers[*]} " == *" $timer "* ]] || timers+=("$timer")
done
programs=() handles=()
for exe in "${clocks[@]}" "${timers[@]}"; do
  # Each clock from a folder of its own: a clock runs once per file.
  folder=$private_work/cpu-${#programs[@]}
  mkdir -p "$folder"
  cp "$exe" "$folder/"
  wine_program_start "$folder/$(basename "$exe")"
  programs+=("$exe")
  handles+=("$APP")
done
for handle in "${handles[@]}"; do wait_visible "$handle"; done
sleep 2  # past start-up

start=()
for handle in "${handles[@]}"; do start+=("$(cpu_ns "$(wine_program_pid "$handle")")"); done
sleep "$seconds"
used=()
for i in "${!handles[@]}"; do used+=($(($(cpu_ns "$(wine_program_pid "${handles[i]}")") - start[i]))); done
idle32= idle64=
for i in "${!timers[@]}"; do
  t=${used[${#clocks[@]} + i]}
  if pe_is_32bit "${timers[i]}"; then idle32=$t; else idle64=$t; fi
done
echo "CPU time over $seconds s under Wine (all threads, user + system):"
for i in "${!clocks[@]}"; do
  if pe_is_32bit "${clocks[i]}"; then idle=$idle32 kind=32-bit; else idle=$idle64 kind=64-bit; fi
  awk -v t="${used[i]}" -v idle="$idle" -v s="$seconds" -v name="${clocks[i]#"$ROOT"/}" -v kind="$kind" \
    'BEGIN { printf "  %-40s %.3f s (%.3f %%), %.2f of the %s idle timer window\n", name, t / 1e9, 100 * t / 1e9 / s, t / idle, kind }'
done
for kind in 32 64; do
  if [ "$kind" = 32 ]; then t=$idle32; else t=$idle64; fi
  [ -n "$t" ] || continue
  awk -v t="$t" -v s="$seconds" -v name="idle 100 ms timer window, $kind-bit" \
    'BEGIN { printf "  %-40s %.3f s (%.3f %%)\n", name, t / 1e9, 100 * t / 1e9 / s }'
done
