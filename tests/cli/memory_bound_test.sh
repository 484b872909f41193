#!/usr/bin/env bash
# `tavimore build` within a fixed address space: the largest strip (255 faces) as PNG and
# GIF must build, and so must pictures made to cost memory, from what their header allows:
# a data stream inflating far past its 80 x 80 header is cut after the rows the header
# needs, and a GIF's frames after the first are never decoded. A decoder that inflated
# the whole stream would run out of the address space and refuse the picture. A
# progressive JPEG keeps every coefficient of the picture until its last scan; the largest
# strip's must fit as well. The limit is an address-space limit (prlimit --as), so the
# outcome does not depend on the machine's load.
#
# usage: memory_bound_test.sh TAVIMORE
set -uo pipefail
tavimore="${1:?usage: memory_bound_test.sh TAVIMORE}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../wine/check_lib.sh"

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
check "a PNG stream inflating to 256 MiB behind an 80 x 80 header builds, cut" build inflate_bomb.png
check "a GIF of 2000 frames builds from its first" build many_frames.gif
finish
