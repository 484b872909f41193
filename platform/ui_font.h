// The font for a window's controls: the system's own user-interface font when it can show
// the window's (Japanese) texts, otherwise a Japanese user-interface face at the same size;
// in either case at the window's DPI, the size the system gives its own texts there.
#pragma once

#include <windows.h>

namespace tavimore {

// `sample` holds characters the font must have glyphs for; `dpi` is the window's. The caller
// deletes the font (DeleteObject); null only when no font at all could be made.
HFONT CreateUiFont(const wchar_t* sample, int dpi);

}  // namespace tavimore
