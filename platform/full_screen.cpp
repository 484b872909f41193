#include "platform/full_screen.h"

#include "core/full_screen_rule.h"

namespace tavimore {
namespace {

ScreenRect RectOf(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

// The shell's own windows cover a monitor too: the desktop (Progman, and WorkerW behind
// its wallpaper) and the taskbars.
bool IsShellWindow(HWND window) {
  if (window == GetShellWindow()) return true;
  static const wchar_t* const kShellClasses[] = {L"Progman", L"WorkerW", L"Shell_TrayWnd",
                                                 L"Shell_SecondaryTrayWnd"};
  wchar_t name[32];
  if (!GetClassNameW(window, name, 32)) return false;
  for (const wchar_t* shell : kShellClasses)
    if (lstrcmpW(name, shell) == 0) return true;
  return false;
}

}  // namespace

HWND FullScreenWindowInFront(HWND clock) {
  HWND front = GetForegroundWindow();
  if (!front || GetAncestor(front, GA_ROOTOWNER) == clock || IsShellWindow(front)) return nullptr;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  WINDOWINFO info;  // the call fills what it reads
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST), &monitor) ||
      !GetWindowInfo(front, &info))
    return nullptr;
  constexpr DWORD kMaximizedWithCaption = WS_MAXIMIZE | WS_CAPTION;
  const bool maximizedWithCaption = (info.dwStyle & kMaximizedWithCaption) == kMaximizedWithCaption;
  return CoversMonitor(RectOf(info.rcClient), maximizedWithCaption, RectOf(monitor.rcMonitor))
             ? front
             : nullptr;
}

}  // namespace tavimore
