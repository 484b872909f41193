#!/usr/bin/env bash
# Takes the screenshots of the editor's web page in docs/: the page served by tavimore serve
# in headless Chromium, with a name, an address, the sample strip moon and the Pirrow shape,
# the clock at 10:10:30; and the page with a photo-like picture under its square frame.
#
#   scripts/make_web_screenshot.sh [OUTPUT.png [FRAMED.png]]
#                                   (default docs/web.png and docs/web-framed.png)
#
# Needs build/web/site and build/native/bin/tavimore (scripts/build.sh win32 web native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/web.png}")
framed=$(realpath -m "${2:-$root/docs/web-framed.png}")
# Debian's Selenium is installed for Debian's own Python.
/usr/bin/python3 "$root/scripts/web_page_tool.py" screenshot --tavimore "$root/build/native/bin/tavimore" \
  --site "$root/build/web/site" --output "$output"
/usr/bin/python3 "$root/scripts/web_page_tool.py" framed --tavimore "$root/build/native/bin/tavimore" \
  --site "$root/build/web/site" --output "$framed"
