#!/usr/bin/env bash
# CPU time of a clock under Wine over 60 seconds (or $1), for the 32-bit and the 64-bit
# build, each beside a plain Win32 program of its own architecture with the same 100 ms
# timer that draws nothing; all four run at the same time.
source "$(dirname "$0")/clock_wine_lib.sh"
seconds=${1:-60}

declare -A clock idle
for build in "${BUILDS[@]}"; do
  wine_program_start "$ROOT/build/$build/bin/Varnet.exe"
  clock[$build]=$APP
  wine_program_start "$BENCH/idle_timer-$build.exe"
  idle[$build]=$APP
done
for build in "${BUILDS[@]}"; do
  wait_visible "${clock[$build]}"
  wait_visible "${idle[$build]}"
done
sleep 2  # past start-up

declare -A before
for build in "${BUILDS[@]}"; do
  for program in "${clock[$build]}" "${idle[$build]}"; do
    before[$program]=$(cpu_ticks "$(wine_program_pid "$program")")
  done
done
sleep "$seconds"
hz=$(getconf CLK_TCK)
echo "CPU time over $seconds s under Wine (user + system), all four at once:"
for build in "${BUILDS[@]}"; do
  for kind in clock idle; do
    if [ "$kind" = clock ]; then program=${clock[$build]} label="clock (Varnet)"; else program=${idle[$build]} label="idle 100 ms timer window"; fi
    ticks=$(($(cpu_ticks "$(wine_program_pid "$program")") - before[$program]))
    awk -v t="$ticks" -v hz="$hz" -v s="$seconds" -v l="$build $label:" \
      'BEGIN { printf "  %-32s %.2f s (%.2f %%)\n", l, t / hz, 100 * t / hz / s }'
  done
done
