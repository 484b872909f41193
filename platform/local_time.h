// The current local date and time, and the weekday's name in the user's language.
#pragma once

#include "core/clock_tick.h"

namespace tavimore {

// The local time now, always in the Gregorian calendar (whatever calendar the user chose
// for dates), and in `dayOfWeek` (when not null) its weekday, 0 for Sunday to 6.
LocalTime ReadLocalTime(int* dayOfWeek);

// Room for a weekday's abbreviated name with its zero: the locale's limit for it.
constexpr int kWeekdayNameRoom = 80;

// The abbreviated name of weekday `dayOfWeek` (0 Sunday to 6) in the user's locale, with
// a zero; returns its length, 0 (and an empty name) on failure.
int WeekdayName(int dayOfWeek, wchar_t* name, int capacity);

}  // namespace tavimore
