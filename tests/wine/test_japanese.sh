#!/usr/bin/env bash
# Test that a clock built with a Japanese author name shows that name, in a Japanese
# locale (the system code page 932) and in the default one alike: the clock reads its
# texts as code page 932 whatever the system's own code page. The name is read back from
# the title of the version message. The clock lies in a folder with a Japanese name, which
# the clock reaches only through the wide file calls, in the default locale above all.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" japanese

# This machine has no Japanese locale installed; a private one serves as well.
mkdir -p "$WORK/locale"
localedef -i ja_JP -f UTF-8 "$WORK/locale/ja_JP.UTF-8"
japanese=(LOCPATH="$WORK/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
default=(LC_ALL=C.UTF-8)  # the machine's own; Wine needs UTF-8 to read the folder's name

name='山田時計ｶﾅ'
clock_file="$WORK/時計の フォルダ/oriclock.exe"
mkdir -p "$(dirname "$clock_file")"
"$SCREEN_CHECK" strip "$WORK/strip.png" 1
"$TAVIMORE" build --definition "$CLOCK_BIN/Damsole.exe" --image "$WORK/strip.png" \
  --output "$clock_file" --name "$name" >/dev/null

# The system code page Wine gives its programs in the environment $@.
code_page() {
  env "$@" "$WINE64" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
    sed -n 's/.*ACP *REG_SZ *\([0-9]*\).*/\1/p'
}

for locale in japanese default; do
  declare -n environment=$locale
  # A prefix takes its locale from the first program of its server: start afresh.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  page=$(code_page "${environment[@]}")
  if [ $locale = japanese ]; then
    check "$locale locale: programs see code page 932" test "$page" = 932
  else
    check "$locale locale: programs see another code page ($page)" test "$page" != 932
  fi
  start_program "${environment[@]}" "$clock_file"
  clock=$APP
  if ! window=$(wait_window "$clock" '^Damsole$' 82x82); then
    check "$locale locale: the clock starts" false
    continue
  fi
  check "$locale locale: the clock shows its face" window_shows "$window" "$clock_file"
  # For a person to look at: the tooltip with the name and the locale's weekday.
  read -r x y < <(window_position "$window")
  xdotool mousemove $((x + 18)) $((y + 18))
  sleep 0.05
  xdotool mousemove $((x + 20)) $((y + 20))
  sleep 1
  screenshot "$WORK/tooltip-$locale.png"
  xdotool mousemove 500 500  # the tooltip would take the right click below
  sleep 0.3
  choose_menu_item "$window" 3
  check "$locale locale: the version message is titled $name" \
    eval 'wait_window "$clock" "^$name\$" >/dev/null'
  xdotool key Return
  stop_program "$clock"
  unset -n environment
done
finish
