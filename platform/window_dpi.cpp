#include "platform/window_dpi.h"

#include "platform/handle_owners.h"

namespace tavimore {

int WindowDpi(HWND window) {
  const auto dpiForWindow = NewerUserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (window && dpiForWindow) return static_cast<int>(dpiForWindow(window));
  const ScreenDc screen;
  return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

}  // namespace tavimore
