// Where the three hands of a clock lie for a given time.
//
// Conventions: face pixels, origin at the top-left pixel, x to the right, y downwards.
// Angles are in degrees counter-clockwise from the 3 o'clock direction, so 12 o'clock is
// 90 degrees; because y grows downwards, a hand's y offset is the negated sine.
//
// The arithmetic is exact to the bit and must stay so: a clock and every picture of it
// must agree. Radians come from the single-precision constant 3.141592 (not pi) and are
// held in single precision; offsets are computed in double precision and rounded to
// single precision.
#pragma once

#include <cstdint>

#include "core/clock_build.h"

namespace tavimore {

struct ClockTime {
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};

// Reads the time from a text "yyyy/mm/dd hh:nn:ss"; false when the text has another form.
bool ParseTimeText(const char* text, ClockTime* out);

// One hand as a line from (x, y) to (x + dx, y + dy).
struct HandLine {
  float x, y;
  float dx, dy;
  uint32_t color;  // colour value 0x00BBGGRR
  int penWidth;
};

// The hour, minute and second hand of a w x h face, in drawing order.
void ComputeHands(const ClockBuild& build, int w, int h, const Hand hands[kHandCount],
                  ClockTime time, HandLine lines[kHandCount]);

}  // namespace tavimore
