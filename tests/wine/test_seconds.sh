#!/usr/bin/env bash
# Test that a clock shows each second as it begins, one face image per second, over twelve
# seconds running: a built clock with four face images is photographed a quarter of a
# second into each second (all pictures first, compared afterwards, so that comparing does
# not hold up the sampling). Each picture must show exactly what `tavimore render` draws
# for a second around the moment it was taken; the seconds shown must rise; and from one
# picture to the next the face image must move on by as many steps as the seconds did
# (mod 4): a second drawn twice moves it on once too often, a second left out once too few.
source "$(dirname "$0")/wine_lib.sh"
begin_test "$1" seconds

frames=4
samples=12
"$SCREEN_CHECK" strip "$WORK/strip.png" $frames
"$TAVIMORE" build --definition "$CLOCK_BIN/Varnet.exe" --image "$WORK/strip.png" \
  --output "$WORK/oriclock.exe" --second '#FF0000,95' >/dev/null
start_program "$WORK/oriclock.exe"
window=$(wait_window "$APP" '^Varnet$' 82x82) || { check "the built clock shows a window" false; finish; exit 1; }
read -r x y < <(window_position "$window")

before=() after=()
for ((i = 0; i < samples; i++)); do
  sleep_until_millisecond 250
  before[i]=$(date +%s)
  screenshot "$WORK/second-$i.png"
  after[i]=$(date +%s)
done

# "SECOND:FRAME" that picture $1 shows, among the seconds from the one before it was taken
# to the one in which it was done; fails when it shows none of them exactly.
shown_in() {
  rendered_match "$WORK/second-$1.png" "$x" "$y" "$WORK/oriclock.exe" $((before[$1] - 1)) \
    "${after[$1]}" "$(seq -s ' ' 0 $((frames - 1)))" 2>/dev/null
}

seen=()
on_time=0
for ((i = 0; i < samples; i++)); do
  if shown=$(shown_in "$i"); then
    seen+=("$shown")
    [ "${shown%:*}" -ge "${before[i]}" ] && on_time=$((on_time + 1))
  else
    echo "picture $i (taken at $(date -d "@${before[i]}" +%T)) shows none of the faces"
  fi
done
echo "seconds and face images seen: ${seen[*]}"

# A picture may miss when the busy machine stalls the screenshot or the clock; a few of
# those are no fault of the clock.
check "at least 10 of $samples pictures show a face exactly" test "${#seen[@]}" -ge 10
span() { echo $((${seen[-1]%:*} - ${seen[0]%:*})); }
check "they span at least 10 seconds ($(span))" test "$(span)" -ge 10
check "most show the second in which they were taken ($on_time)" test "$on_time" -ge $((samples * 2 / 3))
in_step() {
  local i dt df
  for ((i = 1; i < ${#seen[@]}; i++)); do
    dt=$((${seen[i]%:*} - ${seen[i - 1]%:*}))
    df=$(((${seen[i]#*:} - ${seen[i - 1]#*:} + frames) % frames))
    [ "$dt" -ge 1 ] && [ $((dt % frames)) -eq "$df" ] || return 1
  done
}
check "the face images move on one per second, none skipped or repeated" in_step
finish
