#!/usr/bin/env bash
# Test a clock its user fits to the desk, as a person does it: 200 % from the menu (drawn
# as `tavimore render --scale 2` draws it, about its centre), a size step less with Ctrl and
# the wheel, 50 % see-through (a layered window of opacity 128), fixed against drags and
# keys, moved by the arrow keys, faded under the pointer, and all of it kept for the file.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" fit

cp "$CLOCK_BIN/Varnet.exe" "$WORK/Varnet.exe"
alpha() { "$WINE64" "${WINDOW_PROBE:?}" window Varnet | python3 -c 'import json, sys; print(json.load(sys.stdin)["alpha"])'; }
alpha_is() { [ "$(alpha)" = "$1" ]; }
start_program "$WORK/Varnet.exe"
window=$(wait_window "$APP" '^Varnet$' 82x82) || { check "the clock shows a window" false; finish; exit 1; }
read -r x y < <(window_position "$window")
# 大きさ is the fifth item, 200 % the fourth of its sub-menu.
choose_menu_item "$window" 5 Right Down Down Down Return
xdotool mousemove 5 5
check "200 % from the menu: 164 x 164 about the same centre" window_moves_to "$window" $((x - 41)) $((y - 41))
sleep 0.3
CLOCK_SCALE=2 check "... drawn as render --scale 2 draws it" window_shows "$window" "$WORK/Varnet.exe"
xdotool mousemove $((x + 20)) $((y + 20)) keydown ctrl click 5 keyup ctrl
check "Ctrl + wheel towards the user: 150 %" eval 'sleep 0.5; test "$(window_size "$window")" = 123x123'
choose_menu_item "$window" 6 Right Down Down Return
check "50 % see-through: opacity 128" within 1 alpha_is 128
read -r x y < <(window_position "$window")
choose_menu_item "$window" 7
drag_window "$window" 30 30
xdotool key Right
check "fixed: neither a drag nor a key moves it" eval 'sleep 0.5; test "$(window_position "$window")" = "$x $y"'
choose_menu_item "$window" 7
xdotool key Right shift+Down
check "free again: Right moves it 1 pixel, Shift + Down 10" window_moves_to "$window" $((x + 1)) $((y + 10))
choose_menu_item "$window" 8
xdotool mousemove $((x + 30)) $((y + 30)) mousemove $((x + 31)) $((y + 31))
check "fading: under the pointer a quarter opaque at most" within 1 alpha_is 63
xdotool mousemove 5 5
check "... back to 128 within half a second after it leaves" eval 'sleep 0.5; alpha_is 128'
stop_program "$APP"
start_program "$WORK/Varnet.exe"
window=$(wait_window "$APP" '^Varnet$' 123x123)
check "started again: the same size, place and see-through" \
  eval 'window_moves_to "$window" $((x + 1)) $((y + 10)) && within 1 alpha_is 128'
xdotool mousemove $((x + 30)) $((y + 30)) mousemove $((x + 31)) $((y + 31))
check "... and still fading" within 1 alpha_is 63
stop_program "$APP"
finish
