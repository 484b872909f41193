#!/usr/bin/env bash
# Takes docs/linux-clocks.png: the native clock, tavimore-clock, on a Linux desktop (Xvfb
# with the openbox window manager and a plain desktop background): the five clock programs
# and the moon clock side by side, the moon clock's tooltip showing. Everything started here
# is stopped again by its process id, and the folder removed.
#
#   scripts/make_linux_screenshot.sh [OUTPUT.png]      (default docs/linux-clocks.png)
#
# Needs the win32 and native presets built. Uses the first free X display from :180 to
# :189, or from the range in TAVIMORE_DISPLAYS="FIRST LAST".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/linux-clocks.png}")
bin=$root/build/win32/bin
clock_program=$root/build/native/bin/tavimore-clock
tavimore=$root/build/native/bin/tavimore
for f in "$bin/Pirrow.exe" "$tavimore" "$clock_program"; do
  [ -x "$f" ] || { echo "make_linux_screenshot: missing $f (build the win32 and native presets)" >&2; exit 1; }
done

source "$root/scripts/private_x.sh"
# A screen larger than the picture: GTK puts a tooltip over the pointer, which hides it
# again at once, when the screen has no room below the pointer as it reckons room.
x_start_free linux-shot 180 189 640x480x24
export HOME=$private_work XDG_RUNTIME_DIR=$private_work/run NO_AT_BRIDGE=1 GDK_BACKEND=x11 LC_ALL=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
x_window_manager
xsetroot -solid "#3B6E8F"  # after openbox, which clears the root window as it starts

"$tavimore" build --definition "$bin/Pirrow.exe" --image "$root/samples/moon.png" \
  --output "$private_work/oriclock.exe" --name "月の時計" \
  --hour "#FFF4C0,55" --minute "#FFFFFF,80" --second "#FF6060,90" >/dev/null
x=20
for file in "$bin"/{Varnet,Ossimar,Pirrow,Quellet,Damsole}.exe "$private_work/oriclock.exe"; do
  "$clock_program" "$file" &
  app=$!
  private_pids+=("$app")
  window=$(pid_window "$app")
  xdotool windowmove --sync "$window" "$x" 40
  x=$((x + 100))
done
# The pointer comes to rest on the moon clock until its tooltip shows.
xdotool mousemove $((x - 70)) 100 sleep 0.2 mousemove $((x - 60)) 110
for _ in $(seq 100); do
  [ "$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l)" -gt 1 ] && break
  sleep 0.1
done
sleep 0.5
import -window root -crop 640x180+0+0 +repage -depth 8 "PNG24:$output"
echo "make_linux_screenshot: $output"
