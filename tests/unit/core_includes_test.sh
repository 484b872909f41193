#!/usr/bin/env bash
# The core stays portable: no file under core/ includes a window-system header or anything
# from the layers above or beside it (platform/, decode/, clock/, editor/, tools/, linux/,
# web/, GTK's and emscripten's headers). Fails naming each offender.
set -uo pipefail
root="${1:?usage: core_includes_test.sh SOURCE_ROOT}"
bad=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((windows|winuser|wingdi|winbase|objbase|ole2|olectl|shellapi|commdlg|commctrl|shlobj|wincodec)\.h|(platform|decode|clock|editor|tools|linux|web|gtk|gdk|glib|emscripten)/)' \
  "$root/core" --include='*.h' --include='*.cpp' --include='*.inc' -i)
if [ -n "$bad" ]; then
  echo "core/ must stay portable; these includes reach outside it:"
  echo "$bad"
  exit 1
fi
count=$(find "$root/core" -name '*.h' -o -name '*.cpp' | wc -l)
echo "core/: $count files, no window-system or upper-layer include"
