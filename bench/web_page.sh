#!/usr/bin/env bash
# The editor's web page in headless Chromium: what loading it transfers, and the time from
# choosing each sample strip to its first preview (median of several runs).
#
#   bench/web_page.sh [RUNS]
#
# Needs build/web/site and build/native/bin/tavimore (scripts/build.sh win32 web native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
/usr/bin/python3 "$root/scripts/web_page_tool.py" measure --tavimore "$root/build/native/bin/tavimore" \
  --site "$root/build/web/site" --runs "${1:-5}"
