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
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;  // receives TTN_GETDISPINFOW
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tooltip;
}

wchar_t** TooltipTextRequest(LPARAM l) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
  return info->hdr.code == TTN_GETDISPINFOW ? &info->lpszText : nullptr;
}

}  // namespace tavimore
