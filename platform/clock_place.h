// Where a clock was left and how its user fitted it to the desk, kept per clock file and
// per user under HKCU\Software\Tavimore\Places: one binary value named after the file's
// key, x and y as 32-bit little-endian numbers (so the clock carries no text conversion
// for it), followed by the fit as PackDeskFit's number when it is not a new clock's (a
// clock of 100 %, opaque and free keeps the 8 bytes every earlier clock kept); and
// what the desktop holds now: its monitors and the other clocks' windows. The rule that
// puts these together is the core's (core/clock_placement.h).
#pragma once

#include <windows.h>

#include "core/clock_placement.h"
#include "core/desk_fit.h"

namespace tavimore {

// For the clock file of key `fileKey` (single_instance.h's ClockFileKey; empty when none
// could be made, which reads and keeps nothing). False when no usable place is kept for the
// file (none, or a value that is no place). `fit`, unless null, takes the kept fit when
// there is one that reads back, and is left as it is otherwise.
bool ReadClockPlace(const wchar_t* fileKey, ScreenPoint* place, DeskFit* fit);
// The outcome is not reported: a place that cannot be kept is simply not there next time.
void SaveClockPlace(const wchar_t* fileKey, ScreenPoint place, const DeskFit& fit);

constexpr int kMaxMonitors = 16;
constexpr int kMaxOtherClocks = 32;

// The monitors now, at most `capacity`; returns how many.
int ReadMonitors(Monitor* monitors, int capacity);

// The visible top-level windows of class `windowClass` other than `self`, at most
// `capacity`; returns how many.
int OtherWindows(const wchar_t* windowClass, HWND self, ScreenRect* rects, int capacity);

}  // namespace tavimore
