#include "common/fixed_records.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zel {
namespace {

TEST(FixedRecords, WholeRecordsOnlyATrailingPartOneIgnored) {
  using Three = std::array<char, 3>;
  std::vector<std::string> records;
  ForEachRecord<Three>("aaabbbcc", [&records](const Three& r) { records.emplace_back(r.data(), r.size()); });
  EXPECT_EQ(records, (std::vector<std::string>{"aaa", "bbb"}));
  EXPECT_EQ(WholeRecords<Three>("aaabbbcc"), 2u);
}

}  // namespace
}  // namespace zel
