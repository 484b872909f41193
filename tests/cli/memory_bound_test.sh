#!/usr/bin/env bash
# `tavimore build` within a fixed address space: the largest strip (255 faces) as PNG, GIF
# and progressive JPEG (which keeps every coefficient until its last scan) must build, and
# so must pictures made to cost memory, from what their header allows: a data stream that
# goes on past its 80 x 80 header's rows is cut after them, and a GIF's frames after the
# first are never decoded. A PNG holding far more compressed data than its size can need
# (a stream inflating to 256 MiB) is refused before any of it is inflated. A decoder that
# inflated a whole stream would run out of the address space and refuse the picture. The
# limit is an address-space limit (prlimit --as), so the outcome does not depend on the
# machine's load.
#
# usage: memory_bound_test.sh TAVIMORE
set -uo pipefail
tavimore="${1:?usage: memory_bound_test.sh TAVIMORE}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/check_lib.sh"

work="$(mktemp -d /tmp/tavimore-memory.XXXXXX)"
trap 'rm -rf "$work"' EXIT
python3 "$here/make_memory_pictures.py" "$work" || exit 1
# A stand-in clock program: the builder takes any non-empty file as the definition.
definition="$work/stand-in.prm"
head -c 43520 /dev/zero | tr '\0' '\1' > "$definition"

# The largest strip needs about 22 MB resident (its pixels, its face images and the clock
# file, about 6.5 MB each); 96 MiB of address space is that plus the 64 MiB allowance
# with room to spare, and far below the gigabytes a stream inflated in full would need.
limit=$((96 * 1024 * 1024))

build() {
  prlimit --as=$limit "$tavimore" build --definition "$definition" --image "$work/$1" \
    --output "$work/out.exe" --force > "$work/$1.log" 2>&1
}
check "the largest PNG strip builds within $((limit >> 20)) MiB" build largest.png
check "the largest GIF strip builds within $((limit >> 20)) MiB" build largest.gif
check "the largest progressive JPEG strip builds within $((limit >> 20)) MiB" build largest_progressive.jpg
check "a PNG stream going on for 8 MiB past an 80 x 80 header's rows builds, cut" build small_excess.png
refused() {
  ! build "$1" && grep -q "not a picture that can be decoded" "$work/$1.log"
}
check "a PNG stream inflating to 256 MiB behind an 80 x 80 header is refused" refused inflate_bomb.png
check "a GIF of 2000 frames builds from its first" build many_frames.gif
finish
