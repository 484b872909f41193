// Test helper, a Windows console program: tells a running clock that its monitor's scale
// changed, as Windows does when the clock is dragged onto a monitor of another scale.
// Wine has one DPI for every monitor and never sends this itself.
//
//   dpi_probe.exe screen WIDTH HEIGHT
//       Sets the display to WIDTH x HEIGHT, as a monitor unplugged or plugged back does.
//   dpi_probe.exe DPI X Y
//       Asks the clock window its size at DPI (WM_GETDPISCALEDSIZE), then sends it
//       WM_DPICHANGED for DPI with the suggested rectangle at (X, Y) of that size, or of the
//       old one scaled when it does not answer, as Windows does; prints the window's
//       rectangle after it and the size it answered (0 for none), "left top right bottom
//       answer", and exits 0, or 1 when there is no clock.
//
// The message carries a pointer to the rectangle, which within Windows stays in the
// clock's own process. Sent from another process, the rectangle is put at the same
// address in both, so it is there whether Wine hands the pointer on or copies what it
// points at.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/end_running_clock.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: dpi_probe.exe DPI X Y\n");
    return 2;
  }
  const int dpi = std::atoi(argv[1]), x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  if (argv[1][0] == 's') {  // screen
    DEVMODEW mode{};
    mode.dmSize = sizeof mode, mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = x, mode.dmPelsHeight = y;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) != DISP_CHANGE_SUCCESSFUL;
  }
  HWND clock = FindWindowW(tavimore::kClockWindowClass, nullptr);
  DWORD pid = 0;
  if (!clock || !GetWindowThreadProcessId(clock, &pid)) return 1;
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  RECT now;
  GetWindowRect(clock, &now);
  const int linear = MulDiv(now.right - now.left, dpi, GetDpiForWindow(clock));
  void* there = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE,
                               PAGE_READWRITE);
  void* here = there ? VirtualAlloc(there, sizeof(RECT), MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE)
                     : nullptr;
  if (here != there) return 1;
  SIZE size{linear, linear};
  WriteProcessMemory(process, there, &size, sizeof size, nullptr);
  *static_cast<SIZE*>(here) = size;
  const bool answered = SendMessageW(clock, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(there));
  // The answer is in the clock's copy when Wine hands the pointer on, in ours when it
  // copies the size there and back: whichever one changed.
  if (!ReadProcessMemory(process, there, &size, sizeof size, nullptr) || size.cx == linear)
    size = *static_cast<SIZE*>(here);
  const RECT suggested{x, y, x + size.cx, y + size.cy};
  if (!WriteProcessMemory(process, there, &suggested, sizeof suggested, nullptr)) return 1;
  *static_cast<RECT*>(here) = suggested;
  SendMessageW(clock, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
  GetWindowRect(clock, &now);
  std::printf("%ld %ld %ld %ld %ld\n", now.left, now.top, now.right, now.bottom,
              answered ? size.cx : 0L);
  return 0;
}
