#!/usr/bin/env bash
# Takes the screenshot of the editor's web page in docs/: the page served by tavimore serve
# in headless Chromium, with a name, an address, the sample strip moon and the Pirrow shape,
# the clock at 10:10:30.
#
#   scripts/make_web_screenshot.sh [OUTPUT.png]      (default docs/web.png)
#
# Needs build/web/site and build/native/bin/tavimore (scripts/build.sh win32 web native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/web.png}")
# Debian's Selenium is installed for Debian's own Python.
/usr/bin/python3 "$root/scripts/web_page_tool.py" screenshot --tavimore "$root/build/native/bin/tavimore" \
  --site "$root/build/web/site" --output "$output"
