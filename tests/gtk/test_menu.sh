#!/usr/bin/env bash
# Test the clock's right-button menu: the home page and the mail address open with the
# desktop's default handler, addresses the clock must not open launch nothing, the version
# box names the author and closes, and 終了 ends the clock.
#
# The default handler of this test's home is a stub that logs what it is asked to open; it
# is the default for web and mail addresses and for files, so any address that slipped
# through would show in the log.
source "$(dirname "$0")/gtk_lib.sh"
begin_test "$1" menu

log=$WORK/opened.log
: >"$log"
cat >"$WORK/open-stub.sh" <<STUB
#!/bin/sh
echo "\$*" >>"$log"
STUB
chmod +x "$WORK/open-stub.sh"
mkdir -p "$XDG_DATA_HOME/applications"
types="x-scheme-handler/http x-scheme-handler/https x-scheme-handler/mailto x-scheme-handler/file
  text/plain application/x-executable application/x-shellscript inode/directory"
cat >"$XDG_DATA_HOME/applications/open-stub.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Open stub
Exec=$WORK/open-stub.sh %u
MimeType=$(printf '%s;' $types)
DESKTOP
{
  echo "[Default Applications]"
  for t in $types; do echo "$t=open-stub.desktop"; done
} >"$XDG_CONFIG_HOME/mimeapps.list"

"$SCREEN_CHECK" strip "$WORK/strip.png" 1
build_clock() {  # OUTPUT NAME URL MAIL
  "$TAVIMORE" build --definition "$WIN32_BIN/Ossimar.exe" --image "$WORK/strip.png" \
    --output "$1" --name "$2" --url "$3" --mail "$4" >/dev/null
}
build_clock "$WORK/safe.exe" "月の時計" "https://example.org/moon?a=1" "moon@example.org"
build_clock "$WORK/unsafe.exe" "危ない時計" "file:///etc/passwd" 'x"@y -o /tmp/z'

# Waits up to 10 s until the log has $1 lines.
log_lines() {
  local i
  for i in $(seq 100); do
    [ "$(wc -l <"$log")" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

start_program "$WORK/safe.exe"
window=$(wait_window "$APP" "^Ossimar$") || { check "the clock shows a window" false; finish; }
choose_menu_item "$window" 1
check "ホームページ opens the home page" log_lines 1
check "... exactly that address" test "$(sed -n 1p "$log")" = "https://example.org/moon?a=1"
choose_menu_item "$window" 2
check "メール opens the mail address" log_lines 2
check "... as a mailto: address" test "$(sed -n 2p "$log")" = "mailto:moon@example.org"

choose_menu_item "$window" 3
box=$(wait_window "$APP" "^月の時計$") || box=
check "バージョン shows a box titled with the author" test -n "$box"
check "... beside the running clock" has_window "$APP" "^Ossimar$"
[ -n "$box" ] && xdotool windowactivate --sync "$box" key Return
check "... and the box closes" wait_window_gone "$APP" "^月の時計$"
pointer_away "$window" || true
check "the clock still shows its face after the box" window_shows "$window" "$WORK/safe.exe"
# ログオン時に起動 writes a desktop entry for this very file into the autostart folder,
# its path quoted as the format asks; chosen again, it removes it.
entries() { ls "$XDG_CONFIG_HOME"/autostart/tavimore-*.desktop 2>/dev/null; }
choose_menu_item "$window" 4
sleep 0.5
check "ログオン時に起動 writes one autostart entry" test "$(entries | wc -l)" = 1
check "... that starts this clock file, quoted" \
  grep -qxF "Exec=\"$TAVIMORE_CLOCK\" \"$WORK/safe.exe\"" "$(entries | head -1)"
choose_menu_item "$window" 4
sleep 0.5
check "chosen again, the entry is gone" test -z "$(entries)"
choose_menu_item "$window" 9
check "終了 ends the clock" wait_exit "$APP" 10
check "... with exit code 0" test "${EXIT_CODE:-}" = 0

start_program "$WORK/unsafe.exe"
window=$(wait_window "$APP" "^Ossimar$") || { check "the second clock shows a window" false; finish; }
choose_menu_item "$window" 1
choose_menu_item "$window" 2
# Give a handler the time the safe clock's took, and more.
sleep 3
check "an unsafe home page and mail address launch nothing" test "$(wc -l <"$log")" = 2
check "... and the clock runs on" has_window "$APP" "^Ossimar$"
stop_program "$APP"
finish
