# Sourced by the scripts that run a Windows program under Wine without touching the user's
# display or Wine: a private X server on the first free display of a range, a new Wine
# prefix in a folder of its own, and a clean-up at exit that stops what was started by its
# process id (the prefix's server with wineserver -k) and removes the folder.
#
#   source scripts/private_wine.sh
#   private_wine_start NAME FIRST LAST GEOMETRY [Xvfb option...]
#       sets DISPLAY, WINEPREFIX, WINEDEBUG and private_work (the folder)
#   private_wine_boot [command...]     makes the prefix; the command (e.g. env LANG=...)
#                                      goes in front of every Wine call
#   private_wine_pids+=("$pid")        further processes to stop at exit
#   window=$(private_wine_window PID)  waits for the program's first visible window

wine64=/usr/lib/wine/wine64
private_wine_pids=()
private_xvfb=
private_work=

private_wine_cleanup() {
  local pid
  for pid in "${private_wine_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -z "$private_work" ] || wineserver -k 2>/dev/null || true
  if [ -n "$private_xvfb" ]; then
    kill "$private_xvfb" 2>/dev/null || true
    wait "$private_xvfb" 2>/dev/null || true
  fi
  [ -z "$private_work" ] || rm -rf "$private_work"
}

private_wine_start() {
  local name=$1 first=$2 last=$3 geometry=$4
  shift 4
  local display=$first
  while [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
    [ "$display" -le "$last" ] || { echo "$name: displays :$first to :$last are all taken" >&2; return 1; }
  done
  private_work=$(mktemp -d "/tmp/tavimore-$name-XXXXXX")
  export DISPLAY=:$display WINEPREFIX=$private_work/prefix WINEDEBUG=-all
  trap private_wine_cleanup EXIT
  Xvfb "$DISPLAY" -screen 0 "$geometry" -nolisten tcp "$@" >/dev/null 2>&1 &
  private_xvfb=$!
  until xdotool getdisplaygeometry >/dev/null 2>&1; do
    kill -0 "$private_xvfb" 2>/dev/null || { echo "$name: the X server on $DISPLAY did not start" >&2; return 1; }
    sleep 0.05
  done
}

# No window manager: Wine draws window frames itself, and dialogs close at once (with Wine's
# default it waits for a manager that is not there).
private_wine_boot() {
  "$@" "$wine64" wineboot -i >/dev/null 2>&1
  "$@" "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

private_wine_window() {
  local app=$1 window
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$app" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
