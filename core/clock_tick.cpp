#include "core/clock_tick.h"

namespace tavimore {
namespace {

bool SameSecond(const LocalTime& a, const LocalTime& b) {
  return a.second == b.second && a.minute == b.minute && a.hour == b.hour && a.day == b.day &&
         a.month == b.month && a.year == b.year;
}

}  // namespace

TickFace TickAt(Ticker* ticker, int32_t imageCount, const LocalTime& now) {
  TickFace face{false, -1, ClockTime{now.hour, now.minute, now.second}};
  if (ticker->drawn && SameSecond(now, ticker->last)) return face;
  face.redraw = true;
  ticker->drawn = true;
  ticker->last = now;
  if (imageCount > 0) {
    face.faceImage = ticker->bgIndex;
    ticker->bgIndex = (ticker->bgIndex + 1) % imageCount;
  }
  return face;
}

TickFace LastTick(const Ticker& ticker, int32_t imageCount) {
  const LocalTime& t = ticker.last;
  TickFace face{ticker.drawn, -1, ClockTime{t.hour, t.minute, t.second}};
  if (imageCount > 0) face.faceImage = (ticker.bgIndex + imageCount - 1) % imageCount;
  return face;
}

}  // namespace tavimore
