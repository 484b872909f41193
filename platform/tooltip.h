// A tooltip over a whole window, shown whether or not the window is active (the clock is
// shown without taking the focus).
#pragma once

#include <windows.h>

namespace tavimore {

// Null when the tooltip cannot be made; the clock then simply has none.
HWND CreateWindowTooltip(HWND owner);
void SetWindowTooltipText(HWND tooltip, HWND owner, const wchar_t* text);

}  // namespace tavimore
