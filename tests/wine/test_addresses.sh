#!/usr/bin/env bash
# Test what the menu's home-page and mail items open: web addresses (http, https, and
# "www." made http) and "mailto:" with the mail address; nothing at all for any other
# text a clock file may carry, such as a program, a file or a quote that would add
# arguments. The system's handlers for http, https and mailto are replaced for the test
# by a command that writes what it was given to a log.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" addresses

log=$WORK/opened.txt
log_windows="Z:${log//\//\\}"
folders=$WORK/folders.txt  # the folder each handler started in
folders_windows="Z:${folders//\//\\}"
set_handlers() {
  local scheme
  for scheme in http https mailto; do
    "$WINE64" reg add "HKCR\\$scheme\\shell\\open\\command" /ve /f \
      /d "C:\\windows\\system32\\cmd.exe /c echo $scheme %1>>$log_windows& cd>>$folders_windows" \
      >/dev/null 2>&1
  done
}
restore_handlers() {
  local scheme
  for scheme in http https; do
    "$WINE64" reg add "HKCR\\$scheme\\shell\\open\\command" /ve /f \
      /d '"C:\windows\system32\winebrowser.exe" "%1"' >/dev/null 2>&1
  done
  "$WINE64" reg add 'HKCR\mailto\shell\open\command' /ve /f \
    /d '"C:\windows\system32\winebrowser.exe" "%1"' >/dev/null 2>&1
}
set_handlers

"$SCREEN_CHECK" strip "$WORK/strip.png" 1

# Each case: the clock's home page and mail address as given to `tavimore build` (or
# "-" for a clock without payload), then what the two items must open ("" for nothing).
# Which texts pass is the core's rule, tested case by case at unit level; here the clock
# opens what the rule lets through, and a refused text that got through anyway would
# show: the web and mail ones in the log, a program as a Notepad window.
cases=(
  '-|-|https https://tavimore.example/|mailto mailto:clock@tavimore.example'
  'www.example.com|a@b.example|http http://www.example.com|mailto mailto:a@b.example'
  'mailto:x@example.com|x" /c notepad||'
  'C:\windows\system32\notepad.exe|a@b.example?attach=C:\windows\win.ini||'
)
number=0
for entry in "${cases[@]}"; do
  IFS='|' read -r url mail want_home want_mail <<<"$entry"
  number=$((number + 1))
  folder=$WORK/case$number
  mkdir -p "$folder"
  if [ "$url" = - ]; then
    cp "$CLOCK_BIN/Varnet.exe" "$folder/Varnet.exe"
    clock_file=$folder/Varnet.exe
  else
    clock_file=$folder/oriclock.exe
    "$TAVIMORE" build --definition "$CLOCK_BIN/Varnet.exe" --image "$WORK/strip.png" \
      --output "$clock_file" --url "$url" --mail "$mail" >/dev/null
  fi
  start_program "$clock_file"
  clock=$APP
  window=$(wait_window "$clock" '^Varnet$' 82x82) || { check "case $number: the clock starts" false; continue; }
  for item in home mail; do
    rm -f "$log"
    if [ $item = home ]; then want=$want_home downs=1; else want=$want_mail downs=2; fi
    choose_menu_item "$window" "$downs"
    # The handler runs in a process of its own: wait for its line, or long enough to be
    # sure that none comes.
    for _ in $(seq 40); do [ -s "$log" ] && break; sleep 0.05; done
    [ -n "$want" ] || sleep 1
    got=$( [ -e "$log" ] && tr -d '\r' <"$log" || true)
    check "case $number: the $item item opens ${want:-nothing} (url '$url', mail '$mail')" \
      test "$got" = "$want"
    check "case $number: ... and starts no program" \
      eval '! xdotool search --onlyvisible --name Notepad >/dev/null 2>&1'
  done
  check "case $number: the clock runs on" kill -0 "$clock"
  # A handler started from the clock's folder would hold it (a stick could not be removed).
  check "case $number: no handler starts in the clock's folder" \
    eval '! grep -qi "case$number" "$folders" 2>/dev/null'
  rm -f "$folders"
  stop_program "$clock"
done
restore_handlers
finish
