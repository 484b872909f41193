#include "platform/clock_place.h"

namespace tavimore {
namespace {

constexpr wchar_t kPlacesKey[] = L"Software\\Tavimore\\Places";

ScreenRect RectOf(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

struct MonitorList {
  Monitor* monitors;
  int capacity, count;
};

// Called by the system, which on 32-bit Windows aligns the stack to 4 bytes only.
__attribute__((force_align_arg_pointer)) BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
  auto* list = reinterpret_cast<MonitorList*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (list->count < list->capacity && GetMonitorInfoW(monitor, &info))
    list->monitors[list->count++] =
        Monitor{RectOf(info.rcMonitor), RectOf(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  return TRUE;
}

struct WindowList {
  const wchar_t* windowClass;
  HWND self;
  ScreenRect* rects;
  int capacity, count;
};

__attribute__((force_align_arg_pointer)) BOOL CALLBACK AddWindow(HWND window, LPARAM data) {
  auto* list = reinterpret_cast<WindowList*>(data);
  wchar_t name[32];
  RECT r;
  if (window != list->self && list->count < list->capacity && IsWindowVisible(window) &&
      GetClassNameW(window, name, 32) && lstrcmpW(name, list->windowClass) == 0 &&
      GetWindowRect(window, &r))
    list->rects[list->count++] = RectOf(r);
  return TRUE;
}

}  // namespace

bool ReadClockPlace(const wchar_t* fileKey, ScreenPoint* place, DeskFit* fit) {
  INT32 kept[3];
  DWORD bytes = sizeof kept;
  if (!fileKey[0] || RegGetValueW(HKEY_CURRENT_USER, kPlacesKey, fileKey, RRF_RT_REG_BINARY,
                                  nullptr, kept, &bytes) != ERROR_SUCCESS ||
      (bytes != sizeof kept && bytes != 2 * sizeof kept[0]))
    return false;
  if (fit && bytes == sizeof kept) UnpackDeskFit(static_cast<uint32_t>(kept[2]), fit);
  const ScreenPoint at{kept[0], kept[1]};
  if (!PlausiblePlace(at)) return false;
  *place = at;
  return true;
}

void SaveClockPlace(const wchar_t* fileKey, ScreenPoint place, const DeskFit& fit) {
  const INT32 kept[3] = {place.x, place.y, static_cast<INT32>(PackDeskFit(fit))};
  if (fileKey[0])
    RegSetKeyValueW(HKEY_CURRENT_USER, kPlacesKey, fileKey, REG_BINARY, kept,
                    kept[2] ? sizeof kept : 2 * sizeof kept[0]);
}

int ReadMonitors(Monitor* monitors, int capacity) {
  MonitorList list{monitors, capacity, 0};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return list.count;
}

int OtherWindows(const wchar_t* windowClass, HWND self, ScreenRect* rects, int capacity) {
  WindowList list{windowClass, self, rects, capacity, 0};
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&list));
  return list.count;
}

}  // namespace tavimore
