#include <gtest/gtest.h>

#include <QDate>
#include <set>

#include "common/cp1251.h"
#include "common/ui/QtClock.h"

namespace zel::ui {
namespace {

TEST(QtClock, TodayIsTheSystemDateWithAMondayBasedWeekday) {
  const QtClock clock;
  const QDate before = QDate::currentDate();
  const Date today = clock.Today();
  const QDate after = QDate::currentDate();
  const QDate got(today.year, today.month, today.day);
  EXPECT_TRUE(got == before || got == after);
  EXPECT_EQ(today.weekday, got.dayOfWeek());
}

TEST(QtClock, NamesAreBulgarianInCodePage1251) {
  const QtClock clock;
  EXPECT_EQ(clock.WeekdayShortName(1), Cp("пн"));
  EXPECT_EQ(clock.WeekdayShortName(7), Cp("нд"));
  EXPECT_EQ(clock.MonthName(1), Cp("януари"));
  EXPECT_EQ(clock.MonthName(12), Cp("декември"));

  std::set<std::string> names;
  for (int d = 1; d <= 7; ++d) names.insert(clock.WeekdayShortName(d));
  for (int m = 1; m <= 12; ++m) names.insert(clock.MonthName(m));
  EXPECT_EQ(names.size(), 19u);
  for (const std::string& name : names) {
    ASSERT_FALSE(name.empty());
    for (char c : name) EXPECT_GE(static_cast<unsigned char>(c), 0xC0) << name;  // Cyrillic letters only
  }
}

TEST(QtClock, NamesOutsideTheRangeAreEmpty) {
  const QtClock clock;
  EXPECT_EQ(clock.WeekdayShortName(0), "");
  EXPECT_EQ(clock.WeekdayShortName(8), "");
  EXPECT_EQ(clock.MonthName(0), "");
  EXPECT_EQ(clock.MonthName(13), "");
}

}  // namespace
}  // namespace zel::ui
