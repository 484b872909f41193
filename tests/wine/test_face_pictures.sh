#!/usr/bin/env bash
# Test the built-in face pictures as committed: each is an 80 x 80 GIF within its colour
# limit (Varnet 256, Ossimar 64, Pirrow 32), and the include its build unit embeds holds
# exactly the GIF's bytes, so that neither was changed without the generator.
set -euo pipefail
: "${SCREEN_CHECK:?}"
builds=$(cd "$(dirname "$0")/../../core/builds" && pwd)
source "$(dirname "$0")/../support/check_lib.sh"

for entry in Varnet:256 Ossimar:64 Pirrow:32; do
  build=${entry%:*} limit=${entry#*:}
  gif=$builds/${build}_face.gif
  check "$build's picture is an 80 x 80 GIF" \
    eval 'head -c 6 "$gif" | grep -q "^GIF8[79]a$" && [ "$(od -An -tu2 -j6 -N4 "$gif" | tr -s " ")" = " 80 80" ]'
  colours=$("$SCREEN_CHECK" colours "$gif")
  echo "$build: $colours colours, $(stat -c %s "$gif") bytes"
  check "$build's picture has at most $limit colours ($colours)" test "$colours" -le "$limit"
  check "$build's include holds the GIF's bytes" \
    eval 'python3 -c "import re,sys; sys.stdout.buffer.write(bytes(int(h, 16) for h in re.findall(r\"0x([0-9A-F]{2})\", open(sys.argv[1]).read())))" "$builds/${build}_face.inc" | cmp -s - "$gif"'
done
finish
