#include "core/place_text.h"

#include <cstdint>

#include "core/clock_placement.h"

namespace tavimore {
namespace {

// Reads the digits at text[*i], at most up to `limit`: false when there are none, or the
// number goes beyond `limit`.
bool ReadNumber(const char* text, size_t length, size_t* i, uint32_t limit, uint32_t* value) {
  const size_t start = *i;
  uint64_t v = 0;  // stops past `limit`, far below the 64 bits' own
  while (*i < length && text[*i] >= '0' && text[*i] <= '9' && v <= limit)
    v = v * 10 + static_cast<uint64_t>(text[(*i)++] - '0');
  *value = static_cast<uint32_t>(v);
  return *i != start && v <= limit;
}

void SkipSpaces(const char* text, size_t length, size_t* i) {
  while (*i < length && text[*i] == ' ') ++*i;
}

char* WriteDecimal(uint32_t v, char* p) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0);
  while (n > 0) *p++ = digits[--n];
  return p;
}

}  // namespace

bool ParsePlace(const char* text, size_t length, ScreenPoint* place, DeskFit* fit) {
  int values[2];
  size_t i = 0;
  for (int& value : values) {
    SkipSpaces(text, length, &i);
    const bool negative = i < length && text[i] == '-';
    if (negative) ++i;
    uint32_t v;
    if (!ReadNumber(text, length, &i, kFarthestPlace, &v)) return false;
    value = negative ? -static_cast<int>(v) : static_cast<int>(v);
  }
  SkipSpaces(text, length, &i);
  DeskFit read{};
  uint32_t packed;
  if (i < length && text[i] >= '0' && text[i] <= '9') {
    // A number past 32 bits is refused as UnpackDeskFit refuses a stray bit.
    if (!ReadNumber(text, length, &i, UINT32_MAX, &packed) || !UnpackDeskFit(packed, &read)) {
      read = DeskFit{};
      while (i < length && text[i] >= '0' && text[i] <= '9') ++i;
    }
  }
  while (i < length && (text[i] == ' ' || text[i] == '\n' || text[i] == '\r')) ++i;
  if (i != length) return false;
  *place = ScreenPoint{values[0], values[1]};
  *fit = read;
  return true;
}

int FormatPlace(ScreenPoint place, const DeskFit& fit, char text[kPlaceTextRoom]) {
  char* p = text;
  const int values[] = {place.x, place.y};
  for (int value : values) {
    unsigned v = static_cast<unsigned>(value);
    if (value < 0) {
      *p++ = '-';
      v = 0u - v;
    }
    p = WriteDecimal(v, p);
    *p++ = ' ';
  }
  p = WriteDecimal(PackDeskFit(fit), p);
  *p = 0;
  return static_cast<int>(p - text);
}

}  // namespace tavimore
