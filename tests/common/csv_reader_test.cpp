#include "common/csv_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "support/fakes.h"

namespace zel::csv {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows CellsOf(const Table& t) {
  Rows rows;
  for (std::size_t r = 0; r < t.rows(); ++r) {
    rows.emplace_back();
    for (std::size_t c = 0; c < t.columns(r); ++c) rows.back().push_back(Cp1251ToUtf8(t.cell(r, c)));
  }
  return rows;
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t u : text) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

struct FileForm {
  const char* what;
  std::string bytes;
  Encoding encoding;
  char separator;
  Rows rows;  // UTF-8
  std::vector<std::uint32_t> lines;
  std::size_t replaced = 0;
};

TEST(CsvReader, FilesAsSpreadsheetsSaveThem) {
  const FileForm forms[] = {
      {"Excel, CSV UTF-8, Bulgarian list separator",
       "\xEF\xBB\xBF"
       "ЕГН;Име;Сума\r\n7501010010;Иван Петров;1 234,56\r\n",
       Encoding::Utf8,
       ';',
       {{"ЕГН", "Име", "Сума"}, {"7501010010", "Иван Петров", "1 234,56"}},
       {1, 2}},
      {"Excel, CSV in the system's code page",
       Cp("ЕГН;Име\r\n0541150000;Мария\r\n"),
       Encoding::Cp1251,
       ';',
       {{"ЕГН", "Име"}, {"0541150000", "Мария"}},
       {1, 2}},
      {"Excel, Unicode text: UTF-16 LE and tabs",
       Utf16(u"ЕГН\tСума\r\n7501010010\t100,00\r\n", false),
       Encoding::Utf16,
       '\t',
       {{"ЕГН", "Сума"}, {"7501010010", "100,00"}},
       {1, 2}},
      {"UTF-16 BE, a character outside the plane",
       Utf16(u"a;\U0001F600b", true),
       Encoding::Utf16,
       ';',
       {{"a", "?b"}},
       {1},
       1},
      {"LibreOffice: UTF-8 without mark, commas, LF, quoted amounts",
       "ЕГН,Name,Net\n7501010010,\"Petrov, Ivan\",\"1234,56\"\n",
       Encoding::Utf8,
       ',',
       {{"ЕГН", "Name", "Net"}, {"7501010010", "Petrov, Ivan", "1234,56"}},
       {1, 2}},
      {"quotes across lines, doubled quotes, text after a closing quote",
       "a;\"b\r\nc\";\"say \"\"hi\"\"\"\nx;\"y\"z;\"\"",
       Encoding::Utf8,
       ';',
       {{"a", "b\r\nc", "say \"hi\""}, {"x", "yz", ""}},
       {1, 3}},
      {"broken UTF-8 is Windows-1251",
       "7501010010;\xC8\xE2\xE0\xED;5\r\n",
       Encoding::Cp1251,
       ';',
       {{"7501010010", "Иван", "5"}},
       {1}},
      {"a broken sequence behind the mark: the rest still read",
       "\xEF\xBB\xBF\xD1@b;\xD0\xB0",
       Encoding::Utf8,
       ';',
       {{"?@b", "а"}},
       {1},
       1},
      {"characters the code page lacks; grouping blanks of other locales",
       "Ω1;1\u202F234,00;x\u00A0y\n",
       Encoding::Utf8,
       ';',
       {{"?1", "1\u00A0234,00", "x\u00A0y"}},
       {1},
       1},
      {"a lone CR, a blank line, a last separator, an unclosed quote",
       "a;\rb\r\n\r\n\"c;d",
       Encoding::Utf8,
       ';',
       {{"a", ""}, {"b"}, {""}, {"c;d"}},
       {1, 2, 3, 4}},
      {"a comma in every amount does not outvote the semicolons",
       "a;b;1,5\nc;d;2,5\ne;f;3\n",
       Encoding::Utf8,
       ';',
       {{"a", "b", "1,5"}, {"c", "d", "2,5"}, {"e", "f", "3"}},
       {1, 2, 3}},
      {"nothing but the mark", "\xEF\xBB\xBF", Encoding::Utf8, ';', {}, {}},
  };
  for (const FileForm& form : forms) {
    const Table t(form.bytes);
    EXPECT_EQ(t.encoding(), form.encoding) << form.what;
    EXPECT_EQ(t.separator(), form.separator) << form.what;
    EXPECT_EQ(CellsOf(t), form.rows) << form.what;
    std::vector<std::uint32_t> lines;
    for (std::size_t r = 0; r < t.rows(); ++r) lines.push_back(t.line(r));
    EXPECT_EQ(lines, form.lines) << form.what;
    EXPECT_EQ(t.replaced(), form.replaced) << form.what;
    EXPECT_TRUE(t.complete()) << form.what;
  }
}

// The reader looks at 16 and 64 bytes at a time: whatever the bytes before
// it, a separator, a quote, a line end or a character reads the same.
TEST(CsvReader, EveryPlaceInTheBlocksReadsAlike) {
  for (std::size_t before = 0; before <= 130; ++before) {
    const std::string pad(before, 'a');
    const struct {
      std::string bytes;
      Encoding encoding;
      Rows rows;
      std::size_t replaced = 0;
    } forms[] = {
        {pad + ";ЕГН;\"a\"\"b;c\"\r\nd", Encoding::Utf8, {{pad, "ЕГН", "a\"b;c"}, {"d"}}},
        {pad + "\r\nЖ", Encoding::Utf8, {{pad}, {"Ж"}}},
        {pad + "\xD0;x", Encoding::Cp1251, {{pad + "Р", "x"}}},
        {"\xEF\xBB\xBF" + pad + "€\xD1", Encoding::Utf8, {{pad + "€?"}}, 1},
    };
    for (const auto& form : forms) {
      const Table t(form.bytes);
      EXPECT_EQ(t.encoding(), form.encoding) << before;
      EXPECT_TRUE(t.CellIs(0, 0, Cp(form.rows[0][0]))) << before;
      EXPECT_FALSE(t.CellIs(0, 0, Cp(form.rows[0][0] + "a"))) << before;
      EXPECT_EQ(CellsOf(t), form.rows) << before;
      EXPECT_EQ(t.line(t.rows() - 1), form.rows.size()) << before;
      EXPECT_EQ(t.replaced(), form.replaced) << before;
    }
  }
}

TEST(CsvReader, MoreRowsThanKeptMakeAnIncompleteTable) {
  const Table t(std::string(kMaxRows + 1, '\n'));
  EXPECT_FALSE(t.complete());
  EXPECT_EQ(t.rows(), kMaxRows);
}

TEST(CsvReader, RefusesWhatIsNoTableBeforeReadingIt) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("empty.csv"), "");
  // A sparse file: as large as it says, at no cost.
  test::WriteFileBytes(dir.File("huge.csv"), "x");
  std::filesystem::resize_file(dir.File("huge.csv"), kMaxFileBytes + 1);
  test::WriteFileBytes(dir.File("fine.csv"), "a;b");
  std::string bytes = "left over";
  EXPECT_EQ(ReadSpreadsheetFile(SystemFileSystem(), dir.File("empty.csv"), bytes).message(),
            Cp("Файлът „") + dir.File("empty.csv") + Cp("“ е празен."));
  EXPECT_EQ(ReadSpreadsheetFile(SystemFileSystem(), dir.File("huge.csv"), bytes).message(),
            Cp("Файлът „") + dir.File("huge.csv") + Cp("“ е по-голям от 50 MB: това не е таблица със суми."));
  EXPECT_EQ(bytes, "");
  const Status missing = ReadSpreadsheetFile(SystemFileSystem(), dir.File("none.csv"), bytes);
  EXPECT_EQ(missing.message().rfind(Cp("Файлът „") + dir.File("none.csv") + Cp("“ не може да бъде прочетен: "), 0), 0u)
      << missing.message();
  EXPECT_TRUE(ReadSpreadsheetFile(SystemFileSystem(), dir.File("fine.csv"), bytes).ok());
  EXPECT_EQ(bytes, "a;b");
}

}  // namespace
}  // namespace zel::csv
