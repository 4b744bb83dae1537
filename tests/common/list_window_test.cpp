#include "common/list_window.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ListWindowBar, CloseButtonKeepsRightButNeverCoversItsNeighbour) {
  EXPECT_EQ(CloseButtonLeft(666, 78, 198 + 78), 666 - 78 - 10);
  EXPECT_EQ(CloseButtonLeft(300, 78, 198 + 78), 198 + 78 + 4);
  EXPECT_EQ(CloseButtonLeft(198 + 78 + 4 + 78 + 10, 78, 198 + 78), 280);
  EXPECT_EQ(CloseButtonLeft(544, 75, 300), 459);
  EXPECT_EQ(CloseButtonLeft(390, 75, 300), 305);
  EXPECT_EQ(CloseButtonLeft(100, 75, 300), 304);
}

}  // namespace
}  // namespace zel
