// Where a clock window goes at start, the same rule for every front end: the place it was
// left at, as long as it is still on a screen, and otherwise the nearest place that is;
// a clock started for the first time at (100, 100) of the primary monitor, or beside the
// clocks already there.
#pragma once

#include "core/screen_rect.h"

namespace tavimore {

// Where a window of `size` x `size` pixels last left at `remembered` starts: there, when
// its centre lies on one of the monitors; otherwise moved the shortest way onto the
// monitor nearest to its centre, wholly inside that monitor's work area. Without monitors
// the place stays.
ScreenPoint PlaceOnMonitors(ScreenPoint remembered, int size, const Monitor* monitors, int count);

// The rule under it: the monitor whose area holds the centre of a window `size` square at
// `wanted`, or else the one nearest to that centre. With `wholly` the window is moved the
// least into that monitor's work area; without, only when its centre lies on no monitor
// (PlaceOnMonitors).
ScreenPoint MoveOntoMonitor(ScreenPoint wanted, int size, const Monitor* monitors, int count,
                            bool wholly);

// Where a new clock (one that remembers no place) starts: (100, 100) from the primary
// monitor's work area corner, or beside the running clocks `others` when one lies there,
// the next free place to the right in that row (still inside the work area).
ScreenPoint FirstPlace(int size, const Monitor* monitors, int count, const ScreenRect* others,
                       int otherCount);

// Stored places beyond this, in either direction, are no screen anyone has.
constexpr int kFarthestPlace = 1000000;

// False for a remembered place beyond any screen (more than kFarthestPlace from the
// origin): a damaged store, to be ignored.
bool PlausiblePlace(ScreenPoint place);

}  // namespace tavimore
