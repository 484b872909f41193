#!/usr/bin/env bash
# Peak memory of loading a face picture strip: `tavimore build` on Linux (Debian's decoders)
# beside tavimore.exe of both Windows builds under Wine (Windows' own decoders, the ones
# the editor uses), for an ordinary one-face picture, the largest strips (255 faces) and the
# pictures made to cost memory (tests/cli/make_memory_pictures.py), with a PNG whose data
# stream inflates to 1 GiB behind an 80 x 80 header. Each figure is the program's own
# process's peak resident memory (bench/peak_memory.py); under Wine that includes Wine's
# own libraries.
#
#   bench/picture_memory.sh
# Needs the native, win32 and win64 presets built. Runs itself again inside the Debian 13
# root (scripts/in_wine_root.sh), with a private X server and Wine prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
for f in build/native/bin/tavimore build/native/bin/screen_check build/win32/bin/tavimore.exe \
  build/win64/bin/tavimore.exe build/win32/bin/Varnet.exe; do
  [ -x "$ROOT/$f" ] || { echo "missing $f: build the native, win32 and win64 presets first"; exit 1; }
done
if [ -z "${TAVIMORE_IN_WINE_ROOT:-}" ]; then
  exec bash "$ROOT/scripts/in_wine_root.sh" bash "$0" "$@"
fi

source "$ROOT/scripts/private_wine.sh"
private_wine_start picture-memory 190 199 640x480x24
private_wine_boot
wineserver -p  # one server for every run, as on a desktop
pictures=$private_work/pictures
mkdir -p "$pictures"
python3 "$ROOT/tests/cli/make_memory_pictures.py" "$pictures" 1024
"$ROOT/build/native/bin/screen_check" strip "$pictures/one_face.png" 1
definition=$ROOT/build/win32/bin/Varnet.exe

# Copies of the Windows programs where no other program of the machine is, so that
# bench/peak_memory.py finds a 32-bit one's own process by its path.
for bin in win32 win64; do
  mkdir -p "$private_work/$bin"
  cp "$ROOT/build/$bin/bin/tavimore.exe" "$private_work/$bin/"
done

# KiB of peak resident memory and seconds taken building a clock from picture $2 with
# program $1 (native, win32, win64), and "refused" when the program refused the picture.
peak() {
  local program=(python3 "$ROOT/bench/peak_memory.py")
  case $1 in
    native) program+=("$ROOT/build/native/bin/tavimore") ;;
    win32) program+=(--find "$private_work/win32/tavimore.exe" "$wine64" "$private_work/win32/tavimore.exe") ;;
    win64) program+=("$wine64" "$private_work/win64/tavimore.exe") ;;
  esac
  "${program[@]}" build --definition "$definition" --image "$pictures/$2" \
    --output "$private_work/out.exe" --force || echo refused
}

mib() { awk -v k="$1" 'BEGIN { if (k ~ /^[0-9]+$/) printf "%6.1f MiB", k / 1024; else printf "%10s", "?" }'; }
echo "Peak resident memory and time of building a clock from each picture; Wine $("$wine64" --version),"
echo "whose times include starting Wine's process:"
printf '  %-36s %26s %26s %26s\n' picture "tavimore" "win32 .exe" "win64 .exe"
for picture in one_face.png largest.png largest.gif largest_progressive.jpg small_excess.png inflate_bomb.png \
  many_frames.gif; do
  row=()
  for program in native win32 win64; do
    read -r kib seconds note <<<"$(peak "$program" "$picture" | tr '\n' ' ')"
    row+=("$(mib "$kib") ${seconds}s${note:+ $note}")
  done
  size=$(stat -c %s "$pictures/$picture")
  printf '  %-36s %26s %26s %26s\n' "$picture ($((size / 1024)) KiB)" "${row[@]}"
done
