#include "platform/tooltip.h"

#include <commctrl.h>

namespace tavimore {
namespace {

TOOLINFOW ToolFor(HWND owner, const wchar_t* text) {
  TOOLINFOW tool{};
  // The size older common controls accept; later fields are not used.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = const_cast<wchar_t*>(text);
  return tool;
}

}  // namespace

HWND CreateWindowTooltip(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                 nullptr, nullptr, nullptr);
  if (!tooltip) return nullptr;
  TOOLINFOW tool = ToolFor(owner, L"");
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tooltip;
}

void SetWindowTooltipText(HWND tooltip, HWND owner, const wchar_t* text) {
  if (!tooltip) return;
  TOOLINFOW tool = ToolFor(owner, text);
  SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tavimore
