#!/usr/bin/env bash
# Test the clock window as a person uses it: one clock per file, dragging, the pop-up
# menu's version message and exit item, and Esc.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" window

mkdir -p "$WORK/a" "$WORK/b"
cp "$CLOCK_BIN/Varnet.exe" "$WORK/a/Varnet.exe"
cp "$CLOCK_BIN/Varnet.exe" "$WORK/b/Varnet.exe"

# One clock per file: a second start of the same file ends by itself, silently, while the
# same program in another folder is another clock.
start_program "$WORK/a/Varnet.exe"
first=$APP
window=$(wait_window "$first" '^Varnet$' 82x82) || { check "the clock shows a window" false; finish; exit 1; }
# Topmost as the window system records it (WS_EX_TOPMOST, 0x8): the screen cannot tell,
# since without a window manager a window shown later covers even a topmost one.
ex_style() {  # of the visible window titled Varnet; nothing when there is none
  "$WINE64" "${WINDOW_PROBE:?}" window Varnet | python3 -c 'import json, sys; print(json.load(sys.stdin)["exStyle"])'
}
ex_style=$(ex_style)
check "the clock window is topmost (extended style $ex_style)" test $((ex_style & 8)) = 8
# A tool window (WS_EX_TOOLWINDOW, 0x80): Windows gives it no taskbar button and no
# Alt+Tab entry, which Wine without a window manager cannot show.
check "... and a tool window" test $((ex_style & 0x80)) = 128
# Full-screen work in front (a window over the whole monitor): the clock stays visible
# behind it while it lasts, and is topmost again within a wake or two once it is gone.
topmost_becomes() {  # 8 or 0, within 3 s
  local i
  for i in $(seq 30); do
    [ $(($(ex_style) & 8)) = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
"$WINE64" "$WINDOW_PROBE" fullscreen &
full=$!
check "a full-screen window in front: the clock, still shown, is no longer topmost" topmost_becomes 0
kill "$full"
wait "$full" 2>/dev/null || true
check "... and on top again once it is gone" topmost_becomes 8
start_program "$WORK/a/Varnet.exe"
second=$APP
check "a second start of the same file ends" wait_exit "$second" 30
check "... with exit code 0" test "${EXIT_CODE:-}" = 0
check "... leaving one clock window" wait_window_count '^Varnet$' 82x82 1
start_program "$WORK/b/Varnet.exe"
other=$APP
check "the same program from another folder shows its own clock" \
  eval 'wait_window "$other" "^Varnet\$" 82x82 >/dev/null'
check "... beside the first one" wait_window_count '^Varnet$' 82x82 2
read -r x y < <(window_position "$window")
read -r ox oy < <(window_position "$(wait_window "$other" '^Varnet$' 82x82)")
check "... not over it ($x,$y and $ox,$oy)" test $((ox - x >= 82 || x - ox >= 82 || oy - y >= 82 || y - oy >= 82)) = 1
stop_program "$other"

# Dragging with the left button moves the clock by the pointer's offset.
read -r x y < <(window_position "$window")
drag_window "$window" 55 -35
xdotool mousemove 500 500  # away, so that no tooltip covers the clock
check "dragging by (+55, -35) moves the clock by (+55, -35)" window_moves_to "$window" $((x + 55)) $((y - 35))
sleep 0.3
check "the moved clock still shows its face and outline" window_shows "$window" "$CLOCK_BIN/Varnet.exe"
# Where a clock was left, it starts again.
stop_program "$first"
start_program "$WORK/a/Varnet.exe"
first=$APP
window=$(wait_window "$first" '^Varnet$' 82x82)
check "started again, the clock opens where it was left" window_moves_to "$window" $((x + 55)) $((y - 35))
# A kept place off the screen (a monitor unplugged, a lower resolution): the clock comes
# back the shortest way, wholly on it.
stop_program "$first"
places='HKCU\Software\Tavimore\Places'
name=$("$WINE64" reg query "$places" | tr -d '\r' | awk '/REG_BINARY/ {print $1; exit}')
"$WINE64" reg add "$places" /v "$name" /t REG_BINARY /d dc050000b0040000 /f >/dev/null  # 1500, 1200
start_program "$WORK/a/Varnet.exe"
first=$APP
window=$(wait_window "$first" '^Varnet$' 82x82)
read -r width height < <(xdotool getdisplaygeometry)
check "a place off the screen: the clock comes back onto it" \
  window_moves_to "$window" $((width - 82)) $((height - 82))

# The menu's version item: a message box titled with the author, with the version text.
stop_program "$first"
PROGRAM_LOG=$WORK/msgbox.log start_program WINEDEBUG=-all,+msgbox "$WORK/a/Varnet.exe"
clock=$APP
window=$(wait_window "$clock" '^Varnet$' 82x82)
choose_menu_item "$window" 3
check "the version item opens a box titled Brenwick" \
  eval 'wait_window "$clock" "^Brenwick\$" >/dev/null'
check "... whose text is the version message" \
  test "$(message_box_text "$WORK/msgbox.log")" = "L\"- Original Clock -\\r\\n\\r\\nver${TAVIMORE_VERSION:?}\""
xdotool key Return
check "the box closes with Return" wait_window_gone "$clock" '^Brenwick$'
check "the clock runs on after the box" kill -0 "$clock"

# The login item writes a Run value holding this very file's quoted path, with a check
# mark shown in the menu while it is there; chosen again, it removes the value.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
quoted="\"Z:${WORK//\//\\}\\a\\Varnet.exe\""
runs_at_login() { "$WINE64" reg query "$run_key" 2>/dev/null | tr -d '\r' | grep -qF "REG_SZ    $quoted"; }
menu_picture() {  # the open menu's pixels, then the menu closed again
  local menu= w i
  xdotool mousemove $((x + 40)) $((y + 40)) click 3
  for i in $(seq 40); do  # the clock's window as tall as six items: the menu, not a tooltip
    for w in $(xdotool search --onlyvisible --pid "$(window_owner "$clock")" 2>/dev/null); do
      [ "$w" != "$window" ] && [ "$(window_size "$w" | cut -dx -f2)" -gt 60 ] && menu=$w
    done
    [ -n "$menu" ] && break
    sleep 0.05
  done
  sleep 0.3
  [ -n "$menu" ] && import -window "$menu" "$1"
  xdotool key Escape
}
read -r x y < <(window_position "$window")
menu_picture "$WORK/menu-off.png"
choose_menu_item "$window" 4
check "the login item writes the Run value $quoted" eval 'sleep 0.5; runs_at_login'
menu_picture "$WORK/menu-on.png"
check "... and the menu shows its check mark" \
  eval '! cmp -s <(convert "$WORK/menu-off.png" rgb:-) <(convert "$WORK/menu-on.png" rgb:-)'
choose_menu_item "$window" 4
check "chosen again, the value is gone" eval 'sleep 0.5; ! runs_at_login'
# Switched off in Windows' startup settings (the Run value kept, its StartupApproved value
# starting 03): no check mark; chosen, the clock is on again, the switch gone. Chosen while
# switched on (02), both values go.
switch_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
switch() { "$WINE64" reg add "$switch_key" /v "$name" /t REG_BINARY /d "${1}0000000000000000000000" /f >/dev/null; }
no_switch() { ! "$WINE64" reg query "$switch_key" /v "$name" >/dev/null 2>&1; }
choose_menu_item "$window" 4
sleep 0.5
name=$("$WINE64" reg query "$run_key" | tr -d '\r' | awk '/REG_SZ/ {print $1}')
switch 03
menu_picture "$WORK/menu-switched-off.png"
check "switched off by Windows: no check mark" cmp -s <(convert "$WORK/menu-off.png" rgb:-) <(convert "$WORK/menu-switched-off.png" rgb:-)
choose_menu_item "$window" 4
check "... chosen, the Run value is there and the switch gone" eval 'sleep 0.5; runs_at_login && no_switch'
switch 02
choose_menu_item "$window" 4
check "chosen while switched on, both values are gone" eval 'sleep 0.5; ! runs_at_login && no_switch'
choose_menu_item "$window" 0 Up Return
check "the exit item ends the clock" wait_exit "$clock" 10

# A path too long for a Run value is written in its short (8.3) form, which Wine makes for
# every long name; where even that is too long (folders named in 8.3 already), a box says
# why ("時計ファイルのパスが長すぎるため、ログオン時に起動できません。"), writing nothing.
too_long='L"\6642\8a08\30d5\30a1\30a4\30eb\306e\30d1\30b9\304c\9577\3059\304e\308b\305f\3081\3001\30ed\30b0\30aa\30f3\6642\306b\8d77\52d5\3067\304d\307e\305b\3093\3002"'
for folder in "$WORK/$(printf 'x%.0s' {1..250})" "$WORK$(printf '/deep%04d' {1..30})"; do
  mkdir -p "$folder" && cp "$CLOCK_BIN/Varnet.exe" "$folder/"
  PROGRAM_LOG=$WORK/login.log start_program WINEDEBUG=-all,+msgbox "$folder/Varnet.exe"
  choose_menu_item "$(wait_window "$APP" '^Varnet$' 82x82)" 4
  sleep 1
  stop_program "$APP"
done
run_values=$("$WINE64" reg query "$run_key" | tr -d '\r' | grep REG_SZ)
check "a path too long for Run: its short form is written" grep -qE '"Z:\\[^x]*~[^x]*\\Varnet.exe"$' <<<"$run_values"
check "... even that too long: a box says why" test "$(message_box_text "$WORK/login.log")" = "$too_long"
check "... and writes nothing" test "$(wc -l <<<"$run_values")" = 1
"$WINE64" reg delete "$run_key" /va /f >/dev/null  # Wine starts what is left there

# Esc ends the clock once it has the keyboard, after a click on it.
start_program "$WORK/a/Varnet.exe"
clock=$APP
window=$(wait_window "$clock" '^Varnet$' 82x82)
read -r x y < <(window_position "$window")
xdotool mousemove $((x + 40)) $((y + 40)) click 1
sleep 0.3
xdotool key Escape
check "Esc ends the clock" wait_exit "$clock" 10

# One file reached by two drive letters (Q: for its folder, as subst makes) is one clock.
# Wine names the file by its deepest drive, Q:, and gives its volume a serial number from
# that drive's letter, so Q: is there before the first start and until the second.
ln -s "$WORK/a" "$WINEPREFIX/dosdevices/q:"
start_program "$WORK/a/Varnet.exe"
wait_window "$APP" '^Varnet$' 82x82 >/dev/null
start_program "Z:${WORK//\//\\}\\a\\Varnet.exe" 2>/dev/null  # unreadable for the harness
check "started by both drive letters, the same file shows one clock" wait_exit "$APP" 30
rm "$WINEPREFIX/dosdevices/q:"

# A monitor unplugged under a running clock and plugged back: Wine's virtual desktop resized.
real_screen() { "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true; }
private_cleanup_hooks=(real_screen "${private_cleanup_hooks[@]}")
"$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f >/dev/null
"$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
"$WINE64" reg add "$places" /v "$name" /t REG_BINARY /d 78050000e8030000 /f >/dev/null  # 1400, 1000
wineserver -k 2>/dev/null || true; wineserver -w
start_program "$WORK/a/Varnet.exe"
wait_window "$APP" '^Varnet$' 82x82 >/dev/null
screen() { "$WINE64" "$DPI_PROBE" screen "$1" "$2" && "$WINE64" "$WINDOW_PROBE" window Varnet |
  python3 -c 'import json, sys; print(*json.load(sys.stdin)["outer"][:2])'; }  # where it is then
at=$(screen 1600 1200)/$(screen 800 600)/$(screen 1600 1200)/$("$WINE64" reg query "$places" /v "$name" | tr -d '\r' | awk '/REG_BINARY/ {print $3}')
check "at its kept place, onto a smaller screen, back on the large one; the place kept ($at)" \
  test "$at" = '1400 1000/718 518/1400 1000/78050000E8030000'
finish
