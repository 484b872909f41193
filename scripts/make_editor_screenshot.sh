#!/usr/bin/env bash
# Takes the screenshot of TavimoreEdit in docs/: the 64-bit editor under Wine, in a private
# X server and Wine prefix, in a Japanese locale, with a name and addresses filled in (from
# its settings file), the sample strip sakura chosen through the real open-file dialog and
# the Pirrow shape chosen in the list. Everything started here is stopped again by its
# process id, and the folder removed.
#
#   scripts/make_editor_screenshot.sh [OUTPUT.png]      (default docs/editor.png)
#
# Needs build/win64/bin (the editor and its .prm definitions): cmake --preset win64 &&
# cmake --build --preset win64. Uses the first free X display from :180 to :189.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/editor.png}")
bin=$root/build/win64/bin
[ -f "$bin/TavimoreEdit.exe" ] || { echo "make_editor_screenshot: build the win64 preset first" >&2; exit 1; }

source "$root/scripts/private_wine.sh"
private_wine_start editor-shot 180 189 640x480x24 -br
app=$private_work/TavimoreEdit
mkdir -p "$app"

# Wine reports code page 932 and Japanese dialog texts only with a Japanese locale, which
# the machine need not have: a private one serves.
mkdir -p "$private_work/locale"
localedef -i ja_JP -f UTF-8 "$private_work/locale/ja_JP.UTF-8"
japanese=(env LOCPATH="$private_work/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)

echo "make_editor_screenshot: a new Wine prefix on $DISPLAY (takes a few seconds)"
private_wine_boot "${japanese[@]}"
# The machine has no "MS UI Gothic", the font Japanese dialogs ask for; IPAGothic stands
# in, or the labels would be boxes.
"${japanese[@]}" "$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
  /d IPAGothic /f >/dev/null 2>&1

# Wine draws the caption's close box with Marlett; without it in the prefix the box shows "r".
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
cp "$bin/TavimoreEdit.exe" "$bin"/*.prm "$app/"
python3 - "$root" "$app" <<'EOF'
import os, sys
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(sys.argv[1], "scripts"))
import pictures
strip = pictures.read_png(os.path.join(sys.argv[1], "samples", "sakura.png"))
open(os.path.join(sys.argv[2], "sakura.bmp"), "wb").write(pictures.bmp_bytes(strip))
# The editor's settings file, in the system's code page (932 here), as the editor writes it.
text = "[Users]\r\nNAME=桜の時計\r\nURL=https://tavimore.example/\r\nMAIL=clock@tavimore.example\r\n"
open(os.path.join(sys.argv[2], "TavimoreE.ini"), "wb").write(text.encode("cp932"))
EOF

(cd "$app" && exec "${japanese[@]}" "$wine64" TavimoreEdit.exe >/dev/null 2>&1) &
editor=$!
private_pids+=("$editor")
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^TavimoreEdit$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "make_editor_screenshot: the editor did not appear" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# The X window is the whole window with Wine's frame: equal borders left, right and below,
# the caption on top; the client area is 433 x 366.
border=$(((WIDTH - 433) / 2))
left=$((X + border))
top=$((Y + HEIGHT - 366 - border))
sleep 0.5

# The picture, through the open-file dialog of the button "画像選択" (client 184,112, 73 x 17).
xdotool mousemove $((left + 220)) $((top + 120)) click 1
dialog=
for _ in $(seq 100); do
  for w in $(xdotool search --onlyvisible --pid "$editor" 2>/dev/null; xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "画像を選択" ] && dialog=$w && break
  done
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "make_editor_screenshot: the open-file dialog did not appear" >&2; exit 1; }
xdotool key alt+n
xdotool type --delay 30 "Z:${app//\//\\}\\sakura.bmp"
xdotool key Return
for _ in $(seq 100); do
  xdotool getwindowname "$dialog" >/dev/null 2>&1 || break
  sleep 0.1
done

# The shape: open the list (client 104,310, 161 x 20), take the entry starting with P.
xdotool mousemove $((left + 180)) $((top + 320)) click 1
sleep 0.5
xdotool key p Return
xdotool mousemove 630 470  # away, so that nothing shows a hover
sleep 1

mkdir -p "$(dirname "$output")"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -strip "png:$output"
echo "make_editor_screenshot: $output"
