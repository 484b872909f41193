// Test helper, a Windows console program: asks the window system which pixels the outline
// of each clock build covers and compares them with the portable outline mask.
//
//   outline_probe.exe compare
//       For each build and each of the scales 100, 125, 150, 200 and 300 %, cuts a hidden
//       window of the clock's size with the same pieces and the same calls as the clock
//       (ScaledOutline, ApplyWindowRegion), reads the region back (GetWindowRgn) and asks
//       PtInRegion about every pixel of the window. Prints one line per build and scale,
//       "NAME DPI agree" or "NAME DPI differ N: (x,y)=shown/mask ...", and exits 0 only
//       when every one agrees.
//   outline_probe.exe map NAME
//       Prints the window system's outline of one build as 82 lines of '#' (inside) and
//       '.' (outside), for a person comparing Wine versions by eye.
//
// The answer is the region itself, before any screen is involved: what a window system
// makes of CreateEllipticRgn and CreateRoundRectRgn, and so what the window shows when it
// draws the region faithfully.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/clock_build.h"
#include "core/clock_scale.h"
#include "core/outline.h"
#include "platform/window_region.h"

namespace tavimore {
namespace {

const ClockBuild* const kBuilds[] = {&kVarnetBuild, &kOssimarBuild, &kPirrowBuild,
                                     &kQuelletBuild, &kDamsoleBuild};

// The window system's answer for every window pixel of `build`: 1 inside, 0 outside.
// False when the window or its region could not be made.
bool SystemOutline(const ClockBuild& build, int dpi, uint8_t* inside) {
  const int size = ScaledWindowSize(dpi);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"outline probe", WS_POPUP, 0, 0,
                                size, size, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  OutlinePiece pieces[kMaxOutlinePieces];
  const int count = ScaledOutline(build, dpi, pieces);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  const bool made = ApplyWindowRegion(window, pieces, count) && copy &&
                    GetWindowRgn(window, copy) != ERROR;
  if (made) {
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) inside[y * size + x] = PtInRegion(copy, x, y) ? 1 : 0;
  }
  if (copy) DeleteObject(copy);
  DestroyWindow(window);
  return made;
}

const ClockBuild* Find(const char* name) {
  for (const ClockBuild* b : kBuilds)
    if (std::strcmp(b->name, name) == 0) return b;
  return nullptr;
}

int Compare() {
  int failures = 0;
  for (const ClockBuild* b : kBuilds) {
    for (int dpi : {96, 120, 144, 192, 288}) {
      const int pixels = ScaledWindowSize(dpi) * ScaledWindowSize(dpi);
      std::vector<uint8_t> shown(pixels), mask(pixels);
      if (!SystemOutline(*b, dpi, shown.data())) {
        std::printf("%s %d no region\n", b->name, dpi);
        ++failures;
        continue;
      }
      BuildOutlineMask(*b, dpi, mask.data());
      int differ = 0;
      for (int i = 0; i < pixels; ++i) differ += shown[i] != mask[i];
      if (differ == 0) {
        std::printf("%s %d agree\n", b->name, dpi);
        continue;
      }
      ++failures;
      std::printf("%s %d differ %d:", b->name, dpi, differ);
      const int size = ScaledWindowSize(dpi);
      int listed = 0;
      for (int i = 0; i < pixels && listed < 20; ++i) {
        if (shown[i] == mask[i]) continue;
        std::printf(" (%d,%d)=%d/%d", i % size, i / size, shown[i], mask[i]);
        ++listed;
      }
      std::printf("\n");
    }
  }
  return failures == 0 ? 0 : 1;
}

int Map(const char* name) {
  const ClockBuild* b = Find(name);
  uint8_t shown[kWindowSize * kWindowSize];
  if (!b || !SystemOutline(*b, kBaseDpi, shown)) {
    std::fprintf(stderr, "outline_probe: no outline for %s\n", name);
    return 2;
  }
  for (int y = 0; y < kWindowSize; ++y) {
    for (int x = 0; x < kWindowSize; ++x) std::putchar(shown[y * kWindowSize + x] ? '#' : '.');
    std::putchar('\n');
  }
  return 0;
}

}  // namespace
}  // namespace tavimore

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "compare") == 0) return tavimore::Compare();
  if (argc == 3 && std::strcmp(argv[1], "map") == 0) return tavimore::Map(argv[2]);
  std::fprintf(stderr, "usage: outline_probe.exe compare | map NAME\n");
  return 2;
}
