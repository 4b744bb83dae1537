#include "common/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

using L = std::vector<std::string>;

L Lines(const std::string& bytes) {
  L lines;
  ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(TextLines, EveryKindOfLineEnd) {
  EXPECT_EQ(Lines("a\r\nb\rc\nd"), (L{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n"), (L{"a"}));
  EXPECT_EQ(Lines("a\n\rb"), (L{"a", "", "b"}));  // LF CR is two line ends
  EXPECT_EQ(Lines("a\r\r\nb"), (L{"a", "", "b"}));
  EXPECT_EQ(Lines(""), L{});
}

TEST(TextLines, EmptyLinesCount) {
  EXPECT_EQ(Lines("\r\n\r\nx\r\n\r\n"), (L{"", "", "x", ""}));
  EXPECT_EQ(Lines("\n"), (L{""}));
}

TEST(TextLines, CtrlZEndsTheFile) {
  EXPECT_EQ(Lines("a\r\nb\x1A"
                  "c\r\nd\r\n"),
            (L{"a", "b"}));
  EXPECT_EQ(Lines("a\r\n\x1A\r\nb"), (L{"a"}));
  EXPECT_EQ(Lines("\x1A"
                  "abc"),
            L{});
}

TEST(TextLines, LongLinesCountWhole) {
  const std::string longLine(200000, 'q');
  EXPECT_EQ(Lines(longLine + "\r\nnext\r\n" + longLine), (L{longLine, "next", longLine}));
}

}  // namespace
}  // namespace zel
