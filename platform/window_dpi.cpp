#include "platform/window_dpi.h"

namespace tavimore {

int WindowDpi(HWND window) {
  const auto dpiForWindow = NewerUserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (window && dpiForWindow) return static_cast<int>(dpiForWindow(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace tavimore
