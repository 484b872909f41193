#include "core/clock_tick.h"

namespace tavimore {
namespace {

char* Digits(char* out, int value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
  return out + count;
}

bool SameText(const char* a, const char* b) {
  for (; *a == *b; ++a, ++b)
    if (!*a) return true;
  return false;
}

}  // namespace

void FormatTimeText(const LocalTime& t, char text[kTimeTextSize]) {
  char* p = Digits(text, t.year, 4);
  *p++ = '/';
  p = Digits(p, t.month, 2);
  *p++ = '/';
  p = Digits(p, t.day, 2);
  *p++ = ' ';
  p = Digits(p, t.hour, 2);
  *p++ = ':';
  p = Digits(p, t.minute, 2);
  *p++ = ':';
  p = Digits(p, t.second, 2);
  *p = 0;
}

TickFace TickAt(Ticker* ticker, int32_t imageCount, const LocalTime& now) {
  TickFace face{false, -1, ClockTime{now.hour, now.minute, now.second}};
  char text[kTimeTextSize];
  FormatTimeText(now, text);
  if (SameText(text, ticker->lastTimeText)) return face;
  face.redraw = true;
  for (int i = 0; i < kTimeTextSize; ++i) ticker->lastTimeText[i] = text[i];
  if (imageCount > 0) {
    face.faceImage = ticker->bgIndex;
    ticker->bgIndex = (ticker->bgIndex + 1) % imageCount;
  }
  return face;
}

}  // namespace tavimore
