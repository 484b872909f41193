#!/usr/bin/env bash
# How soon after each second begins a clock's new face reaches the X server under Wine:
# the clock's writes to its X connection are traced with strace for $1 seconds (default
# 20), and the first of each second is taken as that second's face (at rest a clock
# writes to the X server only to show a new face). Prints, per clock
# (the programs after the duration; default the 64-bit Varnet), the milliseconds past the
# second of those writes: lowest, median, highest, and the seconds without one.
source "$(dirname "$0")/clock_wine_lib.sh"
seconds=${1:-20}
shift || true
clocks=("$@")
[ ${#clocks[@]} -gt 0 ] || clocks=("$ROOT/build/win64/bin/Varnet.exe")
command -v strace >/dev/null || { echo "strace is missing (scripts/install-deps.sh)"; exit 1; }

for i in "${!clocks[@]}"; do
  mkdir -p "$BENCH/latency-$i"
  cp "${clocks[i]}" "$BENCH/latency-$i/"
  "$WINE64" "$BENCH/latency-$i/$(basename "${clocks[i]}")" &
  pid=$!
  PIDS+=("$pid")
  wait_visible "$pid"
  sleep 2  # past start-up
  # -yy tells pipes from sockets: the clock talks to the Wine server through pipes (and
  # passes it handles with sendmsg), and writes to a stream socket only to the X server.
  timeout "$seconds" strace -f -tt -yy -e trace=write,writev -p "$pid" \
    -o "$BENCH/latency-$i/trace.log" 2>/dev/null || true
  kill "$pid"
  awk '/ (write|writev)\([0-9]+<UNIX-STREAM:/ {
      split($2, t, /[:.]/)
      second = t[1] * 3600 + t[2] * 60 + t[3]
      if (!(second in seen)) { seen[second] = 1; print substr(t[4], 1, 3) + 0 }
    }' "$BENCH/latency-$i/trace.log" | sort -n |
    awk -v seconds="$seconds" -v name="${clocks[i]#"$ROOT"/}" '
      { ms[++m] = $1 }
      END {
        if (m == 0) { printf "  %s: no writes to the X server seen\n", name; exit }
        printf "  %-36s ms past the second: lowest %d, median %d, highest %d; %d of %d seconds seen\n",
          name, ms[1], ms[int((m + 1) / 2)], ms[m], m, seconds
      }'
done
