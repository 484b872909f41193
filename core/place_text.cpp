#include "core/place_text.h"

#include "core/clock_placement.h"

namespace tavimore {

bool ParsePlace(const char* text, size_t length, ScreenPoint* place) {
  int values[2];
  size_t i = 0;
  for (int& value : values) {
    while (i < length && text[i] == ' ') ++i;
    const bool negative = i < length && text[i] == '-';
    if (negative) ++i;
    const size_t start = i;
    int v = 0;  // stops past kFarthestPlace, far below the int's limit
    while (i < length && text[i] >= '0' && text[i] <= '9' && v <= kFarthestPlace)
      v = v * 10 + (text[i++] - '0');
    if (i == start || v > kFarthestPlace) return false;
    value = static_cast<int>(negative ? -v : v);
  }
  while (i < length && (text[i] == ' ' || text[i] == '\n' || text[i] == '\r')) ++i;
  if (i != length) return false;
  *place = ScreenPoint{values[0], values[1]};
  return true;
}

int FormatPlace(ScreenPoint place, char text[kPlaceTextRoom]) {
  char* p = text;
  const int values[] = {place.x, place.y};
  for (int value : values) {
    if (p != text) *p++ = ' ';
    unsigned v = static_cast<unsigned>(value);
    if (value < 0) {
      *p++ = '-';
      v = 0u - v;
    }
    char digits[10];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v > 0);
    while (n > 0) *p++ = digits[--n];
  }
  *p = 0;
  return static_cast<int>(p - text);
}

}  // namespace tavimore
