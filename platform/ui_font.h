// The font for a window's controls: the system's own user-interface font when it can show
// the window's (Japanese) texts, otherwise a Japanese user-interface face at the same size.
#pragma once

#include <windows.h>

namespace tavimore {

// `sample` holds characters the font must have glyphs for. The caller deletes the font
// (DeleteObject); null only when no font at all could be made.
HFONT CreateUiFont(const wchar_t* sample);

}  // namespace tavimore
