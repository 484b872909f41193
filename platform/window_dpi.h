// The DPI a window is drawn at: its monitor's, for a program that declares per-monitor
// awareness in its manifest (Windows 10 1607 and later tell it per window), else the
// system's, the one DPI of every monitor on earlier systems.
#pragma once

#include <windows.h>

namespace tavimore {

// The DPI of `window`, or the system's for null.
int WindowDpi(HWND window);

}  // namespace tavimore
