#include "platform/local_time.h"

namespace tavimore {
namespace {

char* Digits(char* out, unsigned value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
  return out + count;
}

}  // namespace

void FormatTimeText(const SYSTEMTIME& t, char text[kTimeTextSize]) {
  char* p = Digits(text, t.wYear, 4);
  *p++ = '/';
  p = Digits(p, t.wMonth, 2);
  *p++ = '/';
  p = Digits(p, t.wDay, 2);
  *p++ = ' ';
  p = Digits(p, t.wHour, 2);
  *p++ = ':';
  p = Digits(p, t.wMinute, 2);
  *p++ = ':';
  p = Digits(p, t.wSecond, 2);
  *p = 0;
}

int FormatDateWithWeekday(wchar_t* text, int capacity) {
  // Quoted so that no locale reads the separators as pictures of its own.
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, L"yyyy'/'MM'/'dd'('ddd')'", text,
                               capacity);
  return n > 0 ? n - 1 : 0;
}

}  // namespace tavimore
