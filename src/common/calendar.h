#pragma once
// Days of the calendar: the "dd.mm.yyyy" texts of the dialogs, counting in
// days, and the days on which banks of the euro area execute payments (Monday
// to Friday, except the holidays of the euro's settlement system TARGET2).

#include <optional>
#include <string>
#include <string_view>

#include "common/clock.h"

namespace zel {

// The date with its weekday; the day must exist.
Date MakeDate(int year, int month, int day);
// Days since 1 January 1970 (negative before): for comparing and counting.
long DayNumber(const Date& date);
Date AddDays(const Date& date, long days);

// A valid "dd.mm.yyyy" (IsValidDate), else nothing.
std::optional<Date> ParseDate(std::string_view text);
std::string FormatDate(const Date& date);  // "dd.mm.yyyy"
std::string IsoDate(const Date& date);     // "yyyy-mm-dd"

// Easter Sunday of the Gregorian calendar.
Date EasterSunday(int year);
// 1 January, Good Friday, Easter Monday, 1 May, 25 and 26 December.
bool IsTargetHoliday(const Date& date);
bool IsWorkingDay(const Date& date);
// The first working day after `date`.
Date NextWorkingDay(const Date& date);

}  // namespace zel
