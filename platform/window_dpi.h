// The DPI a window is drawn at: its monitor's, for a program that declares per-monitor
// awareness in its manifest (Windows 10 1607 and later tell it per window), else the
// system's, the one DPI of every monitor on earlier systems.
#pragma once

#include <windows.h>

namespace tavimore {

// A function of user32 that systems before Windows 10 1607 lack, of type F: looked up
// rather than imported, so that a program using it still starts there; null where missing.
template <typename F>
F NewerUserFunction(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), name)));
}

// The DPI of `window`, or the system's for null.
int WindowDpi(HWND window);

}  // namespace tavimore
