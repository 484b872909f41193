// Where a clock window goes at start, the same rule for every front end: the place it was
// left at, as long as it is still on a screen, and otherwise the nearest place that is;
// a clock started for the first time at (100, 100) of the primary monitor, or beside the
// clocks already there.
//
// Conventions: screen pixels of the virtual desktop, y downwards; a rectangle covers left
// and top up to, not including, right and bottom, as the window systems' rectangles do.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimore {

struct ScreenRect {
  int left, top, right, bottom;
};

struct ScreenPoint {
  int x, y;
};

struct Monitor {
  ScreenRect area;  // the whole monitor
  ScreenRect work;  // what is left beside the taskbar and other docked bars
  bool primary;
};

// Where a window of `size` x `size` pixels last left at `remembered` starts: there, when
// its centre lies on one of the monitors; otherwise moved the shortest way onto the
// monitor nearest to its centre, wholly inside that monitor's work area. Without monitors
// the place stays.
ScreenPoint PlaceOnMonitors(ScreenPoint remembered, int size, const Monitor* monitors, int count);

// Where a new clock (one that remembers no place) starts: (100, 100) from the primary
// monitor's work area corner, or beside the running clocks `others` when one lies there,
// the next free place to the right in that row (still inside the work area).
ScreenPoint FirstPlace(int size, const Monitor* monitors, int count, const ScreenRect* others,
                       int otherCount);

// True when a window whose client area (in screen coordinates) is `client` covers the
// whole of `monitor`: a video, a game or a slide show in full screen, which a clock on that
// monitor stays behind. A maximized window with a caption never does, however it lies: its
// frame hangs off the work area, and programs that draw their own caption make the client
// area the whole window, so where the work area is the whole monitor (a taskbar that hides
// itself, a monitor without one) a browser at work would look full screen.
bool CoversMonitor(const ScreenRect& client, bool maximizedWithCaption, const ScreenRect& monitor);

// False for a remembered place beyond any screen (more than a million pixels from the
// origin): a damaged store, to be ignored.
bool PlausiblePlace(ScreenPoint place);

// A remembered place as stored in a text, "x y", read back; false for text that is no
// such pair or no plausible place, which is ignored.
bool ParsePlace(const char* text, size_t length, ScreenPoint* place);

constexpr int kPlaceTextRoom = 24;  // "-1000000 -1000000" and the zero, with room to spare

// `place` as "x y" with a zero; returns its length.
int FormatPlace(ScreenPoint place, char text[kPlaceTextRoom]);

}  // namespace tavimore
