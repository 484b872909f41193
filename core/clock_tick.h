// The clock's second-by-second rule, the same for every front end: a front end reads the
// local time, asks TickAt what to draw, draws it, and sleeps for WakeDelay.
//
// A clock redraws when the local time, to the second, differs from the one drawn last
// (so also when the system clock is set back); each redraw shows the next face image in
// turn: 0 from the first redraw, then 1, 2, ..., count - 1, 0, ... one per redraw. Between
// redraws it does nothing.
#pragma once

#include <cstdint>

#include "core/hand_geometry.h"

namespace tavimore {

// The local date and time as the system's clock gives it, Gregorian calendar.
struct LocalTime {
  int year, month, day;         // 1..9999, 1..12, 1..31
  int hour, minute, second;     // 0..23, 0..59, 0..59
  int millisecond;              // 0..999
};

// What a clock remembers from one tick to the next; zero-initialised before the first.
struct Ticker {
  bool drawn;        // false before the first redraw
  LocalTime last;    // the second drawn last (its milliseconds do not count)
  int bgIndex;       // face image shown at the next redraw
};

// What one tick draws.
struct TickFace {
  bool redraw;      // false: the same second as the last redraw; nothing to draw
  int faceImage;    // the face image under the hands, or -1 for the build's own face
  ClockTime time;   // the time the hands show
};

// One tick at `now` for a clock with `imageCount` face images (-1, or 1..255, as the
// clock's settings give it; 0 and below mean none).
TickFace TickAt(Ticker* ticker, int32_t imageCount, const LocalTime& now);

// The last redraw again, for a front end whose drawing was made anew within a second (a
// new scale): the same second and face image; the face images go on in turn from there.
// `redraw` is false before the first redraw.
TickFace LastTick(const Ticker& ticker, int32_t imageCount);

// The system clock and the timers advance in steps of up to 15.6 ms (the Windows tick), so
// a wake aimed at the boundary itself often still reads the old second; 20 ms after it is
// past that step and well within the tenth of a second in which a new second must show.
constexpr int kWakeMargin = 20;

// Milliseconds from `millisecond` (0..999 into the current second) to the next wake: just
// after the next second begins. Armed by the wall clock every time, the wakes never drift.
inline int WakeDelay(int millisecond) { return 1000 - millisecond + kWakeMargin; }

}  // namespace tavimore
