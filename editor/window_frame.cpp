#include "editor/window_frame.h"

namespace tavimore {

SIZE OuterSize(DWORD style, DWORD exStyle, int width, int height, int dpi) {
  // Looked up rather than imported, so the program still starts on systems before it.
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32"), "AdjustWindowRectExForDpi")));
  RECT outer{0, 0, width, height};
  if (!adjustForDpi || !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    outer = RECT{0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  }
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace tavimore
