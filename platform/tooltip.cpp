#include "platform/tooltip.h"

#include <commctrl.h>

namespace tavimore {

HWND CreateWindowTooltip(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                 nullptr, nullptr, nullptr);
  if (!tooltip) return nullptr;
  TOOLINFOW tool{};
  // The size older common controls accept; later fields are not used.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  // Not subclassed: a subclass sits in every message the owner gets, the timer's too, and
  // looks itself up each time; the owner passes on just the pointer's messages.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = owner;  // receives TTN_GETDISPINFOW
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tooltip;
}

void RelayToTooltip(HWND tooltip, HWND owner, UINT message, WPARAM w, LPARAM l) {
  if (message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
  MSG m{};
  m.hwnd = owner;
  m.message = message;
  m.wParam = w;
  m.lParam = l;
  SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

wchar_t** TooltipTextRequest(LPARAM l) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
  return info->hdr.code == TTN_GETDISPINFOW ? &info->lpszText : nullptr;
}

}  // namespace tavimore
