#!/usr/bin/env bash
# Test the clock fitted to its user's desk, in one walk: 大きさ and Ctrl with the wheel
# grow it about its centre, 透明度 and マウスが乗ったら薄く set the window's opacity,
# 位置を固定 holds it against drags and keys, the arrows move it, and a new start keeps all.
source "$(dirname "$0")/gtk_lib.sh"
begin_test "$1" fit
program=$WIN32_BIN/Varnet.exe

# Item $3 presses of Down into the sub-menu of item $2: Return there opens it at its first.
choose_sub_menu_item() {
  local keys=() i
  for ((i = 0; i < $3; i++)); do keys+=(Down); done
  choose_menu_item "$1" "$2"
  xdotool sleep 0.2 key "${keys[@]}" Return
}
# Waits up to $2 tenths of a second until the window's opacity, as 0-255, is $1 (no property is opaque).
alpha_is() {
  local i v
  for i in $(seq $(($2 * 2))); do
    v=$(xprop -id "$window" _NET_WM_WINDOW_OPACITY | sed -n 's/.*= //p')
    [ $(((${v:-4294967295} * 255 + 2147483647) / 4294967295)) = "$1" ] && return 0
    sleep 0.05
  done
  echo "the opacity is ${v:-not set}"
  return 1
}
size_is() {
  local i
  for i in $(seq 40); do
    [ "$(window_size "$window")" = "$1" ] && return 0
    sleep 0.05
  done
  echo "the window is $(window_size "$window")"
  return 1
}
at() { window_moves_to "$window" "$1" "$2"; }
focus() { xdotool mousemove $((x + 40)) $((y + 40)) click 1 sleep 0.2; }

start_program "$program"
window=$(wait_window "$APP" "^Varnet$") || { check "Varnet shows a window" false; finish; }
read -r x y < <(window_position "$window")
choose_sub_menu_item "$window" 5 3
check "大きさ 200%: the clock is 164 x 164" size_is 164x164
check "... grown about its centre" at $((x - 41)) $((y - 41))
pointer_away "$window" || true
check "... and shows what render --scale 2 draws" eval 'CLOCK_SCALE=2 window_shows "$window" "$program"'
read -r x y < <(window_position "$window")
xdotool mousemove $((x + 80)) $((y + 80)) keydown ctrl click 5 keyup ctrl
check "Ctrl with the wheel towards the user: 150%" size_is 123x123
xdotool keydown ctrl click 4 keyup ctrl
check "... and away: 200% again" size_is 164x164

choose_sub_menu_item "$window" 6 2
check "透明度 50%: the window is half opaque" alpha_is 128 20
choose_menu_item "$window" 8
xdotool mousemove 5 5 sleep 0.2 mousemove $((x + 80)) $((y + 80))
check "マウスが乗ったら薄く: under the pointer a quarter" alpha_is 63 20
xdotool mousemove 5 5
check "... and half again within half a second of leaving" alpha_is 128 5

choose_menu_item "$window" 7
drag_window "$window" 60 35
check "位置を固定: a drag leaves the clock" at "$x" "$y"
focus
xdotool key Right
sleep 0.5
check "... and so does an arrow key" at "$x" "$y"
choose_menu_item "$window" 7
focus
xdotool key Right sleep 0.2 key shift+Down
check "set free, an arrow moves it 1 pixel, Shift and an arrow 10" at $((x + 1)) $((y + 10))
choose_menu_item "$window" 7
sleep 1  # the moved place is kept once it has settled
stop_program "$APP"

xdotool mousemove 5 5
start_program "$program"
window=$(wait_window "$APP" "^Varnet$") || { check "Varnet shows a window again" false; finish; }
check "a new start keeps the size" size_is 164x164
check "... the place" at $((x + 1)) $((y + 10))
check "... and the see-through" alpha_is 128 20
read -r x y < <(window_position "$window")
drag_window "$window" 60 35
check "... 位置を固定" at "$x" "$y"
xdotool mousemove $((x + 80)) $((y + 80))
check "... and マウスが乗ったら薄く" alpha_is 63 20
stop_program "$APP"
finish
