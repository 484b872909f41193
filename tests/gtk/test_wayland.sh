#!/usr/bin/env bash
# Test tavimore-clock on Wayland desktops, served by weston's headless back end: with
# Wayland alone it starts, runs, and says once on its error output what such a desktop
# does not allow; with XWayland beside it (DISPLAY set as well) it takes X11, where its
# window shows as on any X desktop, and says nothing of the kind.
set -euo pipefail
source "$(dirname "$0")/../support/check_lib.sh"
: "${GTK_TEST_ROOT:?}" "${WIN32_BIN:?}" "${TAVIMORE_CLOCK:?}"

work=$GTK_TEST_ROOT/wayland
rm -rf "$work"
mkdir -p "$work/run"
chmod 700 "$work/run"  # weston refuses a runtime folder others may enter
export XDG_RUNTIME_DIR=$work/run HOME=$work XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
export NO_AT_BRIDGE=1
unset DISPLAY GDK_BACKEND DBUS_SESSION_BUS_ADDRESS
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true' EXIT

weston_start() {  # SOCKET [weston option...]: a headless desktop serving that socket
  local socket=$1 i
  shift
  weston --backend=headless-backend.so --socket="$socket" --width=800 --height=600 "$@" \
    >"$work/$socket.log" 2>&1 &
  pids+=($!)
  for i in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && return 0
    sleep 0.1
  done
  cat "$work/$socket.log" >&2
  return 1
}
said() { grep -c "Wayland desktop" "$1" || true; }

weston_start wayland-only || { check "weston starts" false; finish; exit 1; }
WAYLAND_DISPLAY=wayland-only "$TAVIMORE_CLOCK" "$WIN32_BIN/Varnet.exe" 2>"$work/only.err" &
clock=$!
pids+=("$clock")
sleep 3
check "with Wayland alone the clock starts and runs" kill -0 "$clock"
check "... saying once what the desktop does not allow" test "$(said "$work/only.err")" = 1
kill "$clock"

weston_start with-x --xwayland || { check "weston starts with XWayland" false; finish; exit 1; }
display=
for _ in $(seq 100); do
  display=$(grep -o 'listening on display :[0-9]*' "$work/with-x.log" | grep -o ':[0-9]*' | head -1 || true)
  [ -n "$display" ] && break
  sleep 0.1
done
DISPLAY=$display WAYLAND_DISPLAY=with-x "$TAVIMORE_CLOCK" "$WIN32_BIN/Varnet.exe" 2>"$work/x.err" &
clock=$!
pids+=("$clock")
window=
for _ in $(seq 150); do
  window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Varnet$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
check "with XWayland ($display) the clock's window is an X window" test -n "$window"
check "... and it says nothing of Wayland" test "$(said "$work/x.err")" = 0
finish
