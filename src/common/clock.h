#pragma once
// Today's date, the time of day, and the names the control sheet prints the date with.

#include <string>

namespace zel {

struct Date {
  int year = 1;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 1;  // 1 = Monday .. 7 = Sunday
};

struct TimeOfDay {
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
};

// A moment of the local clock: the day and the time, read together.
struct DateTime {
  Date date;
  TimeOfDay time;
};

class Clock {
public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
  // Today and the time of day at once, so that midnight cannot fall between them.
  virtual DateTime Now() const = 0;
  // The names the control sheet prints the date with, code page 1251; the
  // program's clock gives the Bulgarian ones whatever the regional settings.
  virtual std::string WeekdayShortName(int weekday) const = 0;  // 1 = Monday
  virtual std::string MonthName(int month) const = 0;           // 1 = January
};

}  // namespace zel
