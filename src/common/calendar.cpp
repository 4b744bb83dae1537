#include "common/calendar.h"

#include <cstdio>

#include "common/checks.h"

namespace zel {

namespace {

// Days from 1 January 1970 of a day of the proleptic Gregorian calendar, and
// back (the well-known conversion through eras of 400 years).
long DaysFromCivil(int year, int month, int day) {
  const long y = year - (month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return MakeDate(year, month, day);
}

int Number(std::string_view text, std::size_t pos, std::size_t count) {
  int n = 0;
  for (const char c : text.substr(pos, count)) n = n * 10 + (c - '0');
  return n;
}

bool IsDay(const Date& date, int month, int day) { return date.month == month && date.day == day; }

}  // namespace

Date MakeDate(int year, int month, int day) {
  const long days = DaysFromCivil(year, month, day);
  // 1 January 1970 was a Thursday (4).
  const long weekday = ((days % 7) + 7 + 3) % 7 + 1;
  return Date{year, month, day, static_cast<int>(weekday)};
}

long DayNumber(const Date& date) { return DaysFromCivil(date.year, date.month, date.day); }

Date AddDays(const Date& date, long days) { return CivilFromDays(DayNumber(date) + days); }

std::optional<Date> ParseDate(std::string_view text) {
  if (!IsValidDate(text)) return std::nullopt;
  return MakeDate(Number(text, 6, 4), Number(text, 3, 2), Number(text, 0, 2));
}

std::string FormatDate(const Date& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
  return text;
}

std::string IsoDate(const Date& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

Date EasterSunday(int year) {
  // The anonymous Gregorian computus (Meeus, Jones, Butcher).
  const int a = year % 19;
  const int b = year / 100;
  const int c = year % 100;
  const int d = b / 4;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return MakeDate(year, month, day);
}

bool IsTargetHoliday(const Date& date) {
  if (IsDay(date, 1, 1) || IsDay(date, 5, 1) || IsDay(date, 12, 25) || IsDay(date, 12, 26)) return true;
  const long easter = DayNumber(EasterSunday(date.year));
  const long day = DayNumber(date);
  return day == easter - 2 || day == easter + 1;
}

bool IsWorkingDay(const Date& date) {
  // The weekday from the date itself: a Date put together by hand may carry none.
  return MakeDate(date.year, date.month, date.day).weekday <= 5 && !IsTargetHoliday(date);
}

Date NextWorkingDay(const Date& date) {
  Date next = AddDays(date, 1);
  while (!IsWorkingDay(next)) next = AddDays(next, 1);
  return next;
}

}  // namespace zel
