#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (also under ASan and
# UBSan, with brief fuzzer runs), the command line, the Windows programs' builds, both
# builds of the Windows programs under Wine, the native Linux clock on screen, and the
# editor's web page in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The Windows programs first: the native tests drive them under Wine and check their sizes.
bash scripts/build.sh win32 win64 web native sanitize
# The Debian 13 root the Wine tests run in; made once (a few minutes), then reused.
bash scripts/wine_root.sh >/dev/null

ctest --test-dir build/native --output-on-failure -LE "wine|gtk"
# The native clock under Xvfb with openbox; on a loaded machine a window manager can be
# late as Wine can, so a failing test runs once more here too.
ctest --test-dir build/native --output-on-failure -L gtk --repeat until-pass:2
# The Windows programs under Wine in private X servers, both builds side by side (their
# tests share no display, prefix or folder). A test that fails runs once more: now and then
# Wine loses an X event on a loaded machine, while a real fault fails twice.
ctest --test-dir build/native --output-on-failure -L wine --repeat until-pass:2 -j 2
ctest --test-dir build/sanitize --output-on-failure -LE wine
