#!/usr/bin/env bash
# Test that the window system makes the same outline of every build as the portable mask,
# at 100 % and at the scaled sizes:
# outline_probe.exe cuts a window with the clock's own pieces and calls, reads the region
# back and asks about every pixel of the window. This is the region itself, what Windows
# shows of the window; a screenshot shows it too, unless the screen's own path loses part
# of it (Wine 10 loses spans within one byte of its one-bit window shape bitmap).
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" outline

"$WINE64" "$OUTLINE_PROBE" compare 2>"$WORK/wine.log" | tr -d "\r" >"$WORK/compare.txt" || true
cat "$WORK/compare.txt"
for build in Varnet Ossimar Pirrow Quellet Damsole; do
  check "$build: the window system's outline is the mask at every scale, pixel for pixel" \
    test "$(grep -c "^$build [0-9]* agree$" "$WORK/compare.txt")" = 5
done

finish
