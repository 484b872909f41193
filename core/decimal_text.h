// A number in decimal digits, for the Windows programs' texts: std::to_wstring would bring
// the C library's number formatting along (swprintf) for a few digits.
#pragma once

#include <string>

namespace tavimore {

inline std::wstring DecimalText(unsigned long value) {
  wchar_t digits[20];  // 2^64 has 20
  int count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::wstring text;
  while (count > 0) text += digits[--count];
  return text;
}

}  // namespace tavimore
