#!/usr/bin/env bash
# Test that tavimore.exe, the command line of the Windows zip, does under Wine what the
# native tavimore does: the same clock bytes from build (also from an animated GIF with --fit), the same JSON from inspect, the same
# PNG files from extract and render, and the same exit codes for refused input (1) and a
# damaged clock (2), a running clock's file among the refused; also with a Japanese name
# and a folder with a Japanese name. Paths are
# given relative to the work folder, which Wine sees as the current folder on drive Z:.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" command_line
export LANG=C.UTF-8 LC_ALL=C.UTF-8  # Unix arguments reach the program as UTF-8
cd "$WORK"

# Runs tavimore.exe with the arguments given; its standard output goes to $out, its exit
# code to $code.
run_exe() {
  code=0
  "$WINE64" "$CLOCK_BIN/tavimore.exe" "$@" >"$out" 2>"$WORK/stderr.txt" || code=$?
}
run_native() {
  code=0
  "$TAVIMORE" "$@" >"$out" 2>/dev/null || code=$?
}

"$SCREEN_CHECK" strip strip.png 3
cp "$CLOCK_BIN/Pirrow.exe" Pirrow.exe
options=(--definition Pirrow.exe --image strip.png --url https://tavimore.example/ --mail a@b.example
  --hour "#102030,55" --minute "#405060,80" --second "#708090,95")
mkdir -p 日本語フォルダー

# build: the same bytes, with a Latin and with a Japanese name and output folder.
for case in "exe.exe native.exe Taro" "日本語フォルダー/時計.exe 日本語フォルダー/native.exe 時計屋たろう"; do
  read -r exe_out native_out name <<<"$case"
  out=$WORK/build.txt
  run_exe build "${options[@]}" --name "$name" --output "$exe_out"
  check "build ($name): exit code 0" test "$code" = 0
  run_native build "${options[@]}" --name "$name" --output "$native_out"
  check "build ($name): the same bytes as tavimore's" cmp -s "$exe_out" "$native_out"
done

# build --fit: an animated GIF through the system's GIF decoder gives the same faces, its
# frames placed at their offsets, one see-through in part, each undone as it asks.
convert -size 120x90 gradient:red-blue -dispose Background \( -size 40x30 xc:none -fill white \
  -draw "circle 20,15 20,3" -repage +10+20 \) -dispose Previous \( -size 30x30 xc:green \
  -repage +60+30 \) -dispose None \( -size 20x20 xc:yellow -repage +5+5 \) anim.gif
fit=(build --fit --definition Pirrow.exe --image anim.gif --crop 20,0,90 --image strip.png)
out=$WORK/fit.txt
run_exe "${fit[@]}" --output fit-exe.exe
check "build --fit: exit code 0" test "$code" = 0
run_native "${fit[@]}" --output fit-native.exe
check "build --fit: the same bytes as tavimore's" cmp -s fit-exe.exe fit-native.exe

# inspect: the same JSON (a Latin name, so that the console's code page plays no part).
out=$WORK/inspect-exe.json
run_exe inspect exe.exe
check "inspect: exit code 0" test "$code" = 0
out=$WORK/inspect-native.json
run_native inspect exe.exe
check "inspect: the same JSON as tavimore's" cmp -s <(tr -d '\r' <inspect-exe.json) inspect-native.json

# extract and render: the same PNG files.
out=/dev/null
run_exe extract exe.exe --output extract-exe.png
check "extract: exit code 0" test "$code" = 0
run_native extract exe.exe --output extract-native.png
check "extract: the same PNG as tavimore's" cmp -s extract-exe.png extract-native.png
run_exe render 日本語フォルダー/時計.exe --time 10:10:30 --frame 2 --output render-exe.png
check "render: exit code 0" test "$code" = 0
run_native render 日本語フォルダー/時計.exe --time 10:10:30 --frame 2 --output render-native.png
check "render: the same PNG as tavimore's" cmp -s render-exe.png render-native.png

# Refusals leave everything as it was, with exit code 1; a damaged clock gives 2.
cp exe.exe before.exe
run_exe build "${options[@]}" --output exe.exe --name other
check "build over an existing file without --force: exit code 1" test "$code" = 1
check "... and the file is unchanged" cmp -s exe.exe before.exe
# Windows lets nobody replace a running program's file: --force refuses a running clock,
# saying so, instead of failing on the write.
start_program "$WORK/exe.exe"
clock=$APP
check "the clock built runs" eval 'wait_window "$clock" "" 82x82 >/dev/null'
run_exe build "${options[@]}" --output exe.exe --name other --force
check "build --force over a running clock: exit code 1" test "$code" = 1
check "... saying that it runs and must be ended" grep -q "running: end it first" "$WORK/stderr.txt"
check "... and the file is unchanged" cmp -s exe.exe before.exe
stop_program "$clock"
printf 'not a picture' >bad.png
run_exe build --definition Pirrow.exe --image bad.png --output bad.exe
check "build from a file that is no picture: exit code 1" test "$code" = 1
check "... and nothing is written" test ! -e bad.exe
head -c 55002 exe.exe >cut.exe
run_exe inspect cut.exe
check "inspect of a clock cut in its texts: exit code 2" test "$code" = 2
finish
