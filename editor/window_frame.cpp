#include "editor/window_frame.h"

#include "platform/window_dpi.h"

namespace tavimore {

SIZE OuterSize(DWORD style, DWORD exStyle, int width, int height, int dpi) {
  const auto adjustForDpi = NewerUserFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
      "AdjustWindowRectExForDpi");
  RECT outer{0, 0, width, height};
  if (!adjustForDpi || !adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    outer = RECT{0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  }
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace tavimore
