#include "platform/window_dpi.h"

namespace tavimore {

int WindowDpi(HWND window) {
  // Looked up rather than imported, so the program still starts on systems before it.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  if (window && dpiForWindow) return static_cast<int>(dpiForWindow(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace tavimore
