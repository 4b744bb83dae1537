#include "common/ui/QtClock.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

QLocale Bulgarian() { return QLocale(QLocale::Bulgarian, QLocale::Bulgaria); }

}  // namespace

Date QtClock::Today() const {
  const QDate today = QDate::currentDate();
  return Date{today.year(), today.month(), today.day(), today.dayOfWeek()};
}

DateTime QtClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate day = now.date();
  const QTime time = now.time();
  return DateTime{Date{day.year(), day.month(), day.day(), day.dayOfWeek()},
                  TimeOfDay{time.hour(), time.minute(), time.second()}};
}

std::string QtClock::WeekdayShortName(int weekday) const {
  if (weekday < 1 || weekday > 7) return {};
  return FromQt(Bulgarian().dayName(weekday, QLocale::ShortFormat));
}

std::string QtClock::MonthName(int month) const {
  if (month < 1 || month > 12) return {};
  // The format form, not the standalone one: the name stands inside a date.
  return FromQt(Bulgarian().monthName(month, QLocale::LongFormat));
}

}  // namespace zel::ui
