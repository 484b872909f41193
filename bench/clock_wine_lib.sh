# Shared by the clock benchmarks under Wine; sourced. Starts a private X server and Wine
# prefix (stopped by process id, and with `wineserver -k`, at exit).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE64=/usr/lib/wine/wine64
BENCH=${BENCH_DIR:-/tmp/wine-clock-bench}
export WINEPREFIX=$BENCH/prefix WINEDEBUG=-all DISPLAY=:${BENCH_DISPLAY:-151}

for f in "$ROOT/build/win64/bin/Varnet.exe" "$ROOT/build/native/bin/tavimore" "$ROOT/build/native/bin/screen_check"; do
  [ -x "$f" ] || { echo "missing $f: build the win64 and native presets first"; exit 1; }
done
mkdir -p "$BENCH"
Xvfb "$DISPLAY" -screen 0 800x600x24 -br -nolisten tcp >"$BENCH/xvfb.log" 2>&1 &
XVFB=$!
PIDS=()
cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  kill "$XVFB" 2>/dev/null || true
}
trap cleanup EXIT
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done
if [ ! -d "$WINEPREFIX" ]; then
  "$WINE64" wineboot -i >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi

# CPU time (user + system) of process $1 so far, in clock ticks.
cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat"
}

# Waits until process $1 shows a visible window; prints nothing.
wait_visible() {
  until xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1; do
    kill -0 "$1" 2>/dev/null || { echo "process $1 ended"; exit 1; }
    sleep 0.01
  done
}
