#include "platform/local_time.h"

#include <windows.h>

namespace tavimore {

LocalTime ReadLocalTime(int* dayOfWeek) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  if (dayOfWeek) *dayOfWeek = t.wDayOfWeek;
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

int WeekdayName(int dayOfWeek, wchar_t* name, int capacity) {
  // The locale's names run from Monday (LOCALE_SABBREVDAYNAME1) to Sunday (...7); a name
  // belongs to the locale, not to a calendar, so no era or other year can come with it.
  const LCTYPE item = LOCALE_SABBREVDAYNAME1 + (dayOfWeek + 6) % 7;
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, capacity);
  if (n > 0) return n - 1;
  name[0] = 0;
  return 0;
}

}  // namespace tavimore
