# Shared by the clock benchmarks under Wine; sourced. Both builds are measured in the same
# run: the script runs again inside the Debian 13 root whose Wine runs the 32-bit programs
# too (scripts/in_wine_root.sh), after the bare timer program has been compiled for both
# architectures outside it (the cross compilers live on the machine). Inside, a private X
# server and Wine prefix (scripts/private_wine.sh) are stopped again at exit.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=${BENCH_DIR:-/tmp/wine-clock-bench}

for f in "$ROOT/build/win32/bin/Varnet.exe" "$ROOT/build/win64/bin/Varnet.exe" \
  "$ROOT/build/native/bin/tavimore" "$ROOT/build/native/bin/screen_check"; do
  [ -x "$f" ] || { echo "missing $f: build the win32, win64 and native presets first"; exit 1; }
done
if [ -z "${TAVIMORE_IN_WINE_ROOT:-}" ]; then
  mkdir -p "$BENCH"
  i686-w64-mingw32-g++ -O2 -static -mwindows -o "$BENCH/idle_timer-win32.exe" "$ROOT/bench/idle_timer.cpp"
  x86_64-w64-mingw32-g++ -O2 -static -mwindows -o "$BENCH/idle_timer-win64.exe" "$ROOT/bench/idle_timer.cpp"
  exec bash "$ROOT/scripts/in_wine_root.sh" bash "$0" "$@"
fi

source "$ROOT/scripts/private_wine.sh"
private_wine_start clock-bench 180 189 800x600x24 -br
private_wine_boot
echo "Wine: $("$WINE64" --version), in the Debian 13 root"

# CPU time of all the threads of process $1 so far (/proc/PID/task/*/schedstat, in
# nanoseconds), finer than the 10 ms steps of /proc/PID/stat.
cpu_ns() {
  cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'
}

# Waits until program $1 (a handle from wine_program_start) shows a visible window.
wait_visible() {
  local pid
  pid=$(wine_program_pid "$1") || { echo "program $1 ended before it showed a window"; exit 1; }
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "process $pid ended"; exit 1; }
    sleep 0.01
  done
}
