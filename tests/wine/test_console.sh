#!/usr/bin/env bash
# Test that tavimore.exe, the command line for Windows, writes Japanese names and paths so
# that they read right, in a Japanese locale (the console's code page 932):
# - redirected to a file, its output is the UTF-8 JSON the native tavimore writes, and its
#   messages are UTF-8 too;
# - on a console (a pseudo-terminal, which Wine turns into a console of its own), the same
#   text appears as characters, not as the UTF-8 bytes read in the console's code page.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" console

mkdir -p "$WORK/locale"
localedef -i ja_JP -f UTF-8 "$WORK/locale/ja_JP.UTF-8"
japanese=(LOCPATH="$WORK/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

name='山田時計ｶﾅ'
folder="$WORK/時計の フォルダ"
mkdir -p "$folder"
"$SCREEN_CHECK" strip "$WORK/strip.png" 1
"$TAVIMORE" build --definition "$CLOCK_BIN/Damsole.exe" --image "$WORK/strip.png" \
  --output "$folder/oriclock.exe" --name "$name" >/dev/null
cp "$CLOCK_BIN/tavimore.exe" "$folder/"
cd "$folder"
"$TAVIMORE" inspect oriclock.exe >"$WORK/native.json"
missing='無い時計.exe'

# tavimore.exe with arguments $@ in the Japanese locale, its output and messages going to
# $WORK/out and $WORK/err.
run_redirected() {
  env "${japanese[@]}" "$WINE64" tavimore.exe "$@" >"$WORK/out" 2>"$WORK/err" || true
}

# tavimore.exe with arguments $@ in the Japanese locale on a pseudo-terminal; prints what
# the terminal shows, as UTF-8 text without the terminal's control sequences.
run_on_console() {
  # A wide terminal, so that the console breaks no line of the JSON.
  local command="stty cols 1000; $WINE64 tavimore.exe"
  local arg
  for arg in "$@"; do command+=" $(printf '%q' "$arg")"; done
  env "${japanese[@]}" timeout 120 script -qec "$command" /dev/null 2>/dev/null |
    python3 -c '
import re, sys
shown = re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07|\r", b"", sys.stdin.buffer.read())
sys.stdout.write(shown.decode("utf-8", "replace"))' || true
}

run_redirected inspect oriclock.exe
check "redirected: the JSON is the native one, byte for byte, with CR LF line ends" \
  cmp <(sed 's/$/\r/' "$WORK/native.json") "$WORK/out"
check "redirected: the JSON parses as UTF-8 and names the author" \
  python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1], encoding="utf-8"))["author"] != sys.argv[2])' \
  "$WORK/out" "$name"

run_redirected inspect "$missing"
check "redirected: the message names the missing file in UTF-8" grep -qF "tavimore: $missing:" "$WORK/err"

shown=$(run_on_console inspect oriclock.exe)
echo "console shows: $shown"
check "console: the author's name appears as characters" grep -qF "\"author\": \"$name\"" <<<"$shown"

shown=$(run_on_console inspect "$missing")
echo "console shows: $shown"
check "console: the message names the missing file as characters" grep -qF "tavimore: $missing:" <<<"$shown"

finish
