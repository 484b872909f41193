#include "core/hand_geometry.h"

#include <cmath>

namespace tavimore {
namespace {

bool Digits(const char* s, int n, int* value) {
  *value = 0;
  for (int i = 0; i < n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    *value = *value * 10 + (s[i] - '0');
  }
  return true;
}

// Degrees to radians as the clock has always done it: with the single-precision value of
// 3.141592, the product and quotient in double precision (exact for the product of two
// singles), the result rounded once to single precision.
float Radians(double degrees) {
  const double kPi = static_cast<float>(3.141592);
  return static_cast<float>(degrees * kPi / 180.0);
}

// Cosine and sine of `radians`. The Windows programs take them from the processor's
// fsincos, which is what MinGW's maths library computes them with, without linking that
// library's object (three variants and their unwind tables, a tenth of a kilobyte in every
// clock); the conversion to double rounds as the library's store does. Elsewhere the C
// library's; the hands' single-precision steps come out the same (see hand_geometry.h).
void CosSin(double radians, double* c, double* s) {
#if defined(_WIN32) && defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
  long double cosine, sine;
  __asm__("fsincos" : "=t"(cosine), "=u"(sine) : "0"(static_cast<long double>(radians)));
  *c = static_cast<double>(cosine);
  *s = static_cast<double>(sine);
#else
  *c = std::cos(radians);
  *s = std::sin(radians);
#endif
}

}  // namespace

bool ParseTimeText(const char* t, ClockTime* out) {
  int year, month, day;
  for (int i = 0; i < 19; ++i)
    if (t[i] == 0) return false;
  if (t[19] != 0 || t[4] != '/' || t[7] != '/' || t[10] != ' ' || t[13] != ':' || t[16] != ':')
    return false;
  if (!Digits(t, 4, &year) || !Digits(t + 5, 2, &month) || !Digits(t + 8, 2, &day) ||
      !Digits(t + 11, 2, &out->hour) || !Digits(t + 14, 2, &out->minute) ||
      !Digits(t + 17, 2, &out->second))
    return false;
  return out->hour < 24 && out->minute < 60 && out->second < 60;
}

void ComputeHands(const ClockBuild& build, int w, int h, const Hand hands[kHandCount],
                  ClockTime time, HandLine lines[kHandCount]) {
  const int hour = time.hour > 12 ? time.hour - 12 : time.hour;  // 0 and 12 both point up
  const float angle[kHandCount] = {
      Radians(90 - (30.0 * hour + 0.5 * time.minute)),  // moves half a degree a minute
      Radians(static_cast<float>(90 - 6 * time.minute)),
      Radians(static_cast<float>(90 - 6 * time.second)),
  };
  const float cx = static_cast<float>(w * build.centreX / 4);
  const float cy = static_cast<float>(h * build.centreY / 4);
  for (int i = 0; i < kHandCount; ++i) {
    double c, s;
    CosSin(static_cast<double>(angle[i]), &c, &s);
    const int length = hands[i].length;
    HandLine& line = lines[i];
    // The hour and minute hands start one pixel left of and above the second hand.
    line.x = i == kSecond ? cx : cx - 1;
    line.y = i == kSecond ? cy : cy - 1;
    line.dx = static_cast<float>(static_cast<double>(w * length) / 100 / 2 * c);
    line.dy = static_cast<float>(-(static_cast<double>(h * length) / 100 / 2 * s));
    line.color = hands[i].color;
    line.penWidth = kPenWidth[i];
  }
}

}  // namespace tavimore
