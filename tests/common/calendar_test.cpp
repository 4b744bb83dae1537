#include "common/calendar.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(EasterSunday, ByTheGregorianComputus) {
  const std::pair<int, const char*> rows[] = {{2000, "23.04.2000"}, {2024, "31.03.2024"}, {2025, "20.04.2025"},
                                              {2026, "05.04.2026"}, {2027, "28.03.2027"}, {2038, "25.04.2038"},
                                              {2285, "22.03.2285"}};
  for (const auto& [year, easter] : rows) EXPECT_EQ(FormatDate(EasterSunday(year)), easter) << year;
}

// The next working day after each day: weekends and the settlement
// system's holidays (1 January, Good Friday, Easter Monday, 1 May, 25 and 26
// December) skipped, national holidays not.
TEST(NextWorkingDay, SkipsWeekendsAndTheSettlementHolidays) {
  const std::pair<const char*, const char*> rows[] = {
      {"07.12.2026", "08.12.2026"},  // Monday
      {"11.12.2026", "14.12.2026"},  // Friday
      {"02.04.2026", "07.04.2026"},  // before Good Friday and Easter Monday
      {"24.12.2026", "28.12.2026"}, {"31.12.2026", "04.01.2027"},
      {"30.04.2027", "03.05.2027"}, {"02.03.2026", "03.03.2026"},  // 3 March, a holiday in Bulgaria only
      {"28.02.2028", "29.02.2028"},
  };
  for (const auto& [day, next] : rows) EXPECT_EQ(FormatDate(NextWorkingDay(*ParseDate(day))), next) << day;
  EXPECT_EQ(MakeDate(2026, 12, 7).weekday, 1);
  EXPECT_EQ(IsoDate(*ParseDate("05.01.2026")), "2026-01-05");
  EXPECT_FALSE(ParseDate("31.04.2026").has_value());
}

}  // namespace
}  // namespace zel
