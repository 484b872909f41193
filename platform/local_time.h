// The current local date and time as the clock shows them.
#pragma once

#include <windows.h>

namespace tavimore {

constexpr int kTimeTextSize = 20;  // "yyyy/mm/dd hh:nn:ss" and its zero byte

// Local time `t` as "yyyy/mm/dd hh:nn:ss", 24-hour clock, zero-padded.
void FormatTimeText(const SYSTEMTIME& t, char text[kTimeTextSize]);

// The current local date as "yyyy/mm/dd(ddd)", ddd the user's locale's abbreviated
// weekday. Returns the number of characters written (without the zero), 0 on failure.
int FormatDateWithWeekday(wchar_t* text, int capacity);

}  // namespace tavimore
