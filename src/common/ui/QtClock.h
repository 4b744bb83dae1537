#pragma once
// Today's date from the system clock, with Bulgarian weekday and month names:
// the program's user writes dates the Bulgarian way whatever the machine's
// regional settings say.

#include "common/clock.h"

namespace zel::ui {

class QtClock : public Clock {
public:
  Date Today() const override;
  DateTime Now() const override;
  // "пн" .. "нд"; empty outside 1..7.
  std::string WeekdayShortName(int weekday) const override;
  // "януари" .. "декември", the form used inside a date; empty outside 1..12.
  std::string MonthName(int month) const override;
};

}  // namespace zel::ui
