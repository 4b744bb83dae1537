#include "common/printing.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::RecordingPrintSurface;

TEST(Printing, FitTextCutsTheEndUntilItFits) {
  RecordingPrintSurface surface;  // 20 units a character
  EXPECT_EQ(FitText(surface, "abcdef", 120), "abcdef");
  EXPECT_EQ(FitText(surface, "abcdef", 119), "abcde");
  EXPECT_EQ(FitText(surface, "abcdef", 45), "ab");
  EXPECT_EQ(FitText(surface, "abcdef", 19), "");
  EXPECT_EQ(FitText(surface, "abcdef", -5), "");
  EXPECT_EQ(FitText(surface, "", 100), "");
}

TEST(Printing, PageNumberStandsAtAFixedColumn) {
  RecordingPrintSurface surface;
  PrintPageNumber(surface, 70, 3);
  PrintPageNumber(surface, 80, 12345);
  ASSERT_EQ(surface.ops->size(), 2u);
  const int column = surface.pageWidth - static_cast<int>(Cp("Стр. 999999").size()) * surface.charWidth;
  EXPECT_EQ((*surface.ops)[0].kind, "text");
  EXPECT_EQ((*surface.ops)[0].x1, column);
  EXPECT_EQ((*surface.ops)[0].y1, 70);
  EXPECT_EQ((*surface.ops)[0].text, Cp("Стр. 3   "));
  EXPECT_EQ((*surface.ops)[1].x1, column);
  EXPECT_EQ((*surface.ops)[1].text, Cp("Стр. 12345"));
}

TEST(Printing, TextOutRightEndsAtTheGivenX) {
  RecordingPrintSurface surface;
  TextOutRight(surface, 1000, 50, "12.50");
  ASSERT_EQ(surface.ops->size(), 1u);
  EXPECT_EQ((*surface.ops)[0].x1, 1000 - 5 * 20);
  EXPECT_EQ((*surface.ops)[0].y1, 50);
  EXPECT_EQ((*surface.ops)[0].text, "12.50");
}

TEST(Printing, TextOutCentredOnThePageWidth) {
  RecordingPrintSurface surface;
  surface.pageWidth = 1001;
  TextOutCentred(surface, 30, "abc");
  TextOutCentred(surface, 40, "");
  ASSERT_EQ(surface.ops->size(), 2u);
  EXPECT_EQ((*surface.ops)[0].x1, (1001 - 60) / 2);
  EXPECT_EQ((*surface.ops)[0].y1, 30);
  EXPECT_EQ((*surface.ops)[1].x1, 500);
}

}  // namespace
}  // namespace zel
