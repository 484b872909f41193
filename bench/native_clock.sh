#!/usr/bin/env bash
# The native clock beside the same clock under Wine, both running at once in one private
# X server: CPU time over 60 seconds (or $1) and memory (resident set) at the end. The
# clock is the moon clock (eight face pictures, a new one every second), built for 64-bit
# Windows; tavimore-clock shows the very same file.
#
#   bash bench/native_clock.sh [SECONDS]
# Needs the win64 and native presets built (scripts/build.sh win64 native).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
source "$ROOT/scripts/private_wine.sh"
for f in build/win64/bin/Pirrow.exe build/native/bin/tavimore build/native/bin/tavimore-clock; do
  [ -x "$ROOT/$f" ] || { echo "missing $f: build the win64 and native presets first"; exit 1; }
done

# The first free display of :180 to :189, or of TAVIMORE_DISPLAYS="FIRST LAST".
private_wine_start native-bench 180 189 800x600x24 -br
echo "native_clock: a new Wine prefix on $DISPLAY (a few seconds)"
private_wine_boot
clock=$private_work/oriclock.exe
"$ROOT/build/native/bin/tavimore" build --definition "$ROOT/build/win64/bin/Pirrow.exe" \
  --image "$ROOT/samples/moon.png" --output "$clock" --name "月の時計" >/dev/null

# The native clock keeps its lock where no other clock of the user's is.
mkdir -m 700 "$private_work/run"
XDG_RUNTIME_DIR=$private_work/run NO_AT_BRIDGE=1 "$ROOT/build/native/bin/tavimore-clock" "$clock" &
native=$!
private_pids+=("$native")
"$wine64" "$clock" &
wine=$!
private_pids+=("$wine")
# (Called for their output: a search that finds nothing yet must not end this script.)
window=$(pid_window "$native")
window=$(pid_window "$wine")
sleep 2  # past start-up

# The processes of our Wine prefix besides the clock: its wineserver and Windows services.
wine_helpers() {
  local p
  for p in /proc/[0-9]*; do
    p=${p#/proc/}
    case " $wine $native $private_xvfb $$ " in *" $p "*) continue ;; esac
    tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    grep -q wine 2>/dev/null <"/proc/$p/cmdline" || grep -qi '\.exe' 2>/dev/null <"/proc/$p/cmdline" && echo "$p"
  done
  return 0
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# Resident memory, and the part of it no other process shares (libraries count once per
# machine, not once per clock), in KiB.
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
private_kib() { awk '/^Private_(Clean|Dirty):/ {n += $2} END {print n}' "/proc/$1/smaps_rollup"; }
name_of() { tr '\0' '\n' <"/proc/$1/cmdline" | head -1 | sed 's|.*[/\\]||'; }

helpers=$(wine_helpers)
declare -A start
for p in $native $wine $helpers; do start[$p]=$(cpu_ticks "$p"); done
sleep "$seconds"

hz=$(getconf CLK_TCK)
total_ticks=0 total_private=0
report() {  # LABEL PID
  local t=$(($(cpu_ticks "$2") - ${start[$2]}))
  awk -v l="$1" -v t="$t" -v hz="$hz" -v s="$seconds" -v r="$(rss_kib "$2")" -v p="$(private_kib "$2")" \
    'BEGIN { printf "  %-36s CPU %6.2f s (%5.2f %%)   RSS %6.1f MiB   private %6.1f MiB\n", l, t / hz, 100 * t / hz / s, r / 1024, p / 1024 }'
}
echo "The moon clock over $seconds s: user + system CPU time; memory at the end:"
report "tavimore-clock (native, GTK 3)" "$native"
report "oriclock.exe, $(wine --version 2>/dev/null || echo Wine)" "$wine"
for p in $wine $helpers; do
  [ -e "/proc/$p" ] || continue
  [ "$p" = "$wine" ] || report "  beside it: $(name_of "$p")" "$p"
  total_ticks=$((total_ticks + $(cpu_ticks "$p") - ${start[$p]}))
  total_private=$((total_private + $(private_kib "$p")))
done
awk -v t="$total_ticks" -v hz="$hz" -v s="$seconds" -v p="$total_private" \
  'BEGIN { printf "  %-36s CPU %6.2f s (%5.2f %%)                      private %6.1f MiB\n", "Wine in all", t / hz, 100 * t / hz / s, p / 1024 }'
