#include "common/key_hash.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zel {
namespace {

TEST(FirstIndexByNumber, FindsTheFirstItemOfEachKey) {
  constexpr std::uint64_t kNone = FirstIndexByNumber::kNoKey;
  // Keys alike in their low bits land in the same few slots at first.
  std::vector<std::uint64_t> keys = {5, kNone, 7, 5, 0, 9999999999, std::uint64_t{1} << 34};
  for (std::uint64_t k = 1; k <= 300; ++k) keys.push_back(k << 20);
  const FirstIndexByNumber index(keys);
  EXPECT_EQ(index.Find(5), 0);
  EXPECT_EQ(index.Find(7), 2);
  EXPECT_EQ(index.Find(0), 4);
  EXPECT_EQ(index.Find(9999999999), 5);
  EXPECT_EQ(index.Find(8), -1);
  EXPECT_EQ(index.Find(std::uint64_t{1} << 34), -1);  // beyond the keys it keeps
  for (std::uint64_t k = 1; k <= 300; ++k) EXPECT_EQ(index.Find(k << 20), static_cast<long>(6 + k)) << k;
  EXPECT_EQ(FirstIndexByNumber({}).Find(0), -1);
}

}  // namespace
}  // namespace zel
