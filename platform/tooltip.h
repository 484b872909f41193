// A tooltip over a whole window, shown whether or not the window is active. The owner
// passes every message through RelayToTooltip, which hands the pointer's on to the
// tooltip. Its text is asked for each time it is about to show: the owner answers
// WM_NOTIFY through TooltipTextRequest, so nothing is done for a tooltip nobody looks at.
#pragma once

#include <windows.h>

namespace tavimore {

// Null when the tooltip cannot be made; the clock then simply has none.
HWND CreateWindowTooltip(HWND owner);

// Hands message `message` of the owner to the tooltip when it is one of the pointer's.
void RelayToTooltip(HWND tooltip, HWND owner, UINT message, WPARAM w, LPARAM l);

// Where the owner's WM_NOTIFY with `l` asks for the tooltip's text, the place for a
// pointer to it (read once the notification returns, so the text must outlive it); null
// for any other notification.
wchar_t** TooltipTextRequest(LPARAM l);

}  // namespace tavimore
