#!/usr/bin/env bash
# Test that the tooltip shows the author and the current date when the pointer rests on the
# clock: a tooltip window appears beside the clock, and the text Wine's tooltip control
# shows (from its trace) is "author yyyy/mm/dd(ddd)" for today, in this test's C locale
# with the English weekday; for the default author and for a clock built with a name of
# its own, which also shows the text is made for this clock, not left from elsewhere.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" tooltip

# The text of the last tooltip shown in program log $1, as Wine's trace writes it.
tooltip_text() {
  sed -n 's/.*trace:tooltips:TOOLTIPS_Show Show tooltip [0-9]*, \(L".*"\), size .*/\1/p' "$1" | tail -1
}

"$SCREEN_CHECK" strip "$WORK/strip.png" 1
"$TAVIMORE" build --definition "$CLOCK_BIN/Pirrow.exe" --image "$WORK/strip.png" \
  --output "$WORK/oriclock.exe" --name 'Ada Quill' >/dev/null
authors=(Brenwick 'Ada Quill')
exes=("$CLOCK_BIN/Damsole.exe" "$WORK/oriclock.exe")
for i in 0 1; do
  author=${authors[i]} exe=${exes[i]}
  log=$WORK/$(basename "$exe").log
  xdotool mousemove 790 590
  PROGRAM_LOG=$log start_program WINEDEBUG=-all,+tooltips,+loaddll "$exe"
  clock=$APP
  window=$(wait_window "$clock" '' 82x82) || { check "$(basename "$exe") shows a window" false; continue; }
  before=$(LC_ALL=C date +%Y/%m/%d\(%a\))
  check "resting the pointer on $(basename "$exe") shows its tooltip" hover_until "$window" '^$'
  after=$(LC_ALL=C date +%Y/%m/%d\(%a\))
  shown=$(tooltip_text "$log")
  # Version 6, which the manifest names, is the one in the side-by-side store.
  check "... from the common controls of version 6" grep -qi 'winsxs.*common-controls.*comctl32' "$log"
  echo "tooltip: $shown"
  check "... reading \"$author $before\"" eval \
    '[ "$shown" = "L\"$author $before\"" ] || [ "$shown" = "L\"$author $after\"" ]'
  stop_program "$clock"
done
finish
