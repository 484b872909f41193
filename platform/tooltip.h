// A tooltip over a whole window, shown whether or not the window is active. Its text is
// asked for each time it is about to show: the owner answers WM_NOTIFY's TTN_GETDISPINFOW
// with WindowTooltipText, so nothing is done for a tooltip nobody looks at.
#pragma once

#include <windows.h>

namespace tavimore {

// Null when the tooltip cannot be made; the clock then simply has none.
HWND CreateWindowTooltip(HWND owner);

// Where the owner's WM_NOTIFY with `l` asks for the tooltip's text, the place for a
// pointer to it (read once the notification returns, so the text must outlive it); null
// for any other notification.
wchar_t** TooltipTextRequest(LPARAM l);

}  // namespace tavimore
