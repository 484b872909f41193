// The clock's texts, the same in every front end: the menu, the version box, the message
// of a damaged clock file and the tooltip. The fixed ones are macros of plain literals so that each front
// end takes them in its own text form: UTF-8 as they stand, or wide for the Windows
// clock, where L"" followed by one of them is a wide literal (the compiler reads the
// UTF-8 source and encodes it as UTF-16).
#pragma once

#include "core/clock_tick.h"

namespace tavimore {

// The menu's items by the indexes the clock has always given them, in their order. Each
// front end expands ITEM(index, caption); the caption "-" is a separator line, which
// cannot be chosen.
enum ClockMenuIndex {
  kMenuHomePage = 0,
  kMenuMail = 1,
  kMenuSeparator = 90,
  kMenuVersion = 91,
  kMenuExit = 99,
};
#define TAVIMORE_CLOCK_MENU(ITEM)       \
  ITEM(kMenuHomePage, "ホームページ")   \
  ITEM(kMenuMail, "メール")             \
  ITEM(kMenuSeparator, "-")             \
  ITEM(kMenuVersion, "バージョン")      \
  ITEM(kMenuExit, "終了")

// Shown, in a box titled with the clock's build, when its file's payload is damaged.
#define TAVIMORE_DAMAGED_CLOCK_MESSAGE "時計ファイルが壊れているため、起動できません。"

// Room for the version box's text below, its zero included.
constexpr int kVersionTextRoom = 64;

// The version box's text, "- Original Clock -", an empty line, then "ver1.0.0", the lines
// ended by `lineBreak` (CR LF on Windows, LF elsewhere; at most two characters). Returns
// its length.
template <typename Char>
int FormatVersionText(int major, int minor, int revision, const Char* lineBreak,
                      Char out[kVersionTextRoom]);

// "author yyyy/mm/dd(ddd)": the author, a space, the Gregorian date of `now` and the
// weekday's short name in the user's language, which the front end asks its system for.
// Only the weekday follows the locale: a user's own calendar (an era, a Buddhist year)
// never changes the year shown. Returns the length written with a zero after it, or 0
// when `capacity` is too small.
template <typename Char>
int FormatTooltipText(const Char* author, int authorLength, const LocalTime& now,
                      const Char* weekday, int weekdayLength, Char* out, int capacity);

// --- Implementation: templates, so that each front end compiles only its own text form.

namespace clock_text {

template <typename Char>
Char* Ascii(Char* out, const char* text) {
  while (*text) *out++ = static_cast<Char>(*text++);
  return out;
}

template <typename Char>
Char* Copy(Char* out, const Char* text, int length) {
  for (int i = 0; i < length; ++i) *out++ = text[i];
  return out;
}

template <typename Char>
Char* Decimal(Char* out, int value) {
  if (value < 0) value = 0;
  Char digits[10];  // a 32-bit int has at most 10 digits
  int n = 0;
  do {
    digits[n++] = static_cast<Char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

template <typename Char>
Char* Padded(Char* out, int value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<Char>('0' + value % 10);
  return out + count;
}

template <typename Char>
int Length(const Char* text) {
  int n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace clock_text

template <typename Char>
int FormatVersionText(int major, int minor, int revision, const Char* lineBreak,
                      Char out[kVersionTextRoom]) {
  using namespace clock_text;
  const int breakLength = Length(lineBreak);
  Char* p = Ascii(out, "- Original Clock -");
  p = Copy(p, lineBreak, breakLength);
  p = Copy(p, lineBreak, breakLength);
  p = Ascii(p, "ver");
  p = Decimal(p, major);
  *p++ = '.';
  p = Decimal(p, minor);
  *p++ = '.';
  p = Decimal(p, revision);
  *p = 0;
  return static_cast<int>(p - out);
}

template <typename Char>
int FormatTooltipText(const Char* author, int authorLength, const LocalTime& now,
                      const Char* weekday, int weekdayLength, Char* out, int capacity) {
  using namespace clock_text;
  constexpr int kDateLength = 13;  // " yyyy/mm/dd(" and ")"
  if (authorLength < 0 || weekdayLength < 0 ||
      authorLength + weekdayLength + kDateLength + 1 > capacity)
    return 0;
  Char* p = Copy(out, author, authorLength);
  *p++ = ' ';
  p = Padded(p, now.year, 4);
  *p++ = '/';
  p = Padded(p, now.month, 2);
  *p++ = '/';
  p = Padded(p, now.day, 2);
  *p++ = '(';
  p = Copy(p, weekday, weekdayLength);
  *p++ = ')';
  *p = 0;
  return static_cast<int>(p - out);
}

}  // namespace tavimore
