#!/usr/bin/env bash
# Test the ten clock programs as files: each exists for 32-bit Windows (PE32, what we
# ship) and 64-bit Windows (PE32+), is at most 24 KiB (32-bit) or 26 KiB (64-bit) including
# its face picture, and so far below the 55000 bytes at which a built clock's payload begins; imports only
# Windows' own DLLs; has its version resource and its manifest (whose contents
# editor_binaries_test.py reads) and nothing else; and carries the marker by
# which `tavimore` recognises its build.
set -euo pipefail
: "${WIN32_BIN:?}" "${WIN64_BIN:?}" "${TAVIMORE:?}" "${CLOCK_BUILDS:?}"

# A clock carries a version resource (type 16) and a manifest (type 24), nothing else: no
# icon or bitmap costs room below the payload.
resource_types() {
  sed -nE 's/^[0-9a-f]+   Entry: ID: 0x0*([0-9a-f]+),.*/\1/p' <<<"$headers" | tr '\n' ' '
}

# Every DLL a clock may import: all part of Windows itself.
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|shell32|shlwapi|ole32|oleaut32)\.dll$'
source "$(dirname "$0")/../support/check_lib.sh"

imports_allowed() {
  local dll bad=0
  for dll in $(sed -n 's/^\tDLL Name: //p' <<<"$headers"); do
    if ! [[ ${dll,,} =~ $allowed ]]; then
      echo "  $1 imports $dll"
      bad=1
    fi
  done
  return $bad
}

for arch in win32 win64; do
  if [ $arch = win32 ]; then
    bin=$WIN32_BIN objdump=i686-w64-mingw32-objdump magic=010b limit=25600
  else
    bin=$WIN64_BIN objdump=x86_64-w64-mingw32-objdump magic=020b limit=28160
  fi
  for build in $CLOCK_BUILDS; do
    exe=$bin/$build.exe
    if [ ! -f "$exe" ]; then
      check "$exe exists" false
      continue
    fi
    size=$(stat -c %s "$exe")
    echo "$arch $build.exe: $size bytes"
    headers=$("$objdump" -p "$exe")
    check "$exe is a Windows GUI program of its kind" \
      eval 'grep -Eq "^Magic\s+$magic" <<<"$headers" && grep -Eq "^Subsystem\s+00000002" <<<"$headers"'
    check "$exe is at most $limit bytes ($size)" test "$size" -le "$limit"
    check "$exe leaves room below the payload offset 55000 ($size)" test "$size" -lt 55000
    check "$exe imports only Windows' own DLLs" imports_allowed "$exe"
    check "$exe has a version resource and a manifest, nothing else ($(resource_types))" \
      test "$(resource_types)" = "10 18 "
    check "$exe is recognised as $build" \
      eval 'grep -q "\"build\": *\"$build\"" <<<"$("$TAVIMORE" inspect "$exe")"'
  done
done
finish
