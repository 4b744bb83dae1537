#pragma once
// Today's date and the names the control sheet prints it with.

#include <string>

namespace zel {

struct Date {
  int year = 1;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 1;  // 1 = Monday .. 7 = Sunday
};

class Clock {
public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
  // The names the control sheet prints the date with, code page 1251; the
  // program's clock gives the Bulgarian ones whatever the regional settings.
  virtual std::string WeekdayShortName(int weekday) const = 0;  // 1 = Monday
  virtual std::string MonthName(int month) const = 0;           // 1 = January
};

}  // namespace zel
