#include "payment/payment_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "payment/crc.h"
#include "payment/payment_form.h"
#include "payment/test_lines.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

const std::string kPayerIban = "BG80BNBG96611020345678";

// Cyrillic letters А..я down by 0x40, as the bank's DOS code page has them.
std::string Mik(std::string s) {
  for (char& c : s) {
    if (static_cast<unsigned char>(c) >= 0xC0) c = static_cast<char>(static_cast<unsigned char>(c) - 0x40);
  }
  return s;
}

// Bit by bit, without any table: the CRC-32 the bank recomputes.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0xFFFFFFFFu) {
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc;
}

std::string ControlOf(std::uint32_t finalCrc) {
  char text[9];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X", finalCrc & 0xFF, (finalCrc >> 8) & 0xFF, (finalCrc >> 16) & 0xFF,
                (finalCrc >> 24) & 0xFF);
  return text;
}

std::string Fit(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

// The 144 columns written out field by field.
std::string ExpectedLine(const std::string& iban, const std::string& amount, const std::string& name,
                         const std::string& reason) {
  const std::string part1 = reason.substr(0, std::min<std::size_t>(35, reason.size()));
  const std::string part2 = reason.size() > 35 ? reason.substr(35) : std::string();
  return Fit(iban, 22) + " " + std::string(13 - amount.size(), ' ') + amount + " " + Fit(name, 35) + " " +
         Fit(part1, 35) + " " + Fit(part2, 35);
}

PayFileSettings Settings(const std::string& utf8Name = "Торва ООД") {
  PayFileSettings s;
  s.PayerName = Cp(utf8Name);
  s.PayerIBAN = kPayerIban;
  s.PayDate = "07.12.2026";
  s.PaySeqNo = 3;
  s.PayFileName = "O071226p.dp3";
  return s;
}

// The first pass as the control sheet runs it: the body, and its control string.
std::string FirstPass(const PaymentList& list, const PayFileSettings& settings) {
  PayDay day{settings, {}, 0};
  EXPECT_TRUE(WritePaymentBody(SystemFileSystem(), list, day).ok());
  return day.StoredControlString;
}

// The final file of the pay day whose control sheet left `control` and `total`.
FinalPaymentFileResult MakePaymentFile(const PaymentList& list, const PayFileSettings& settings,
                                       const std::string& control, double total) {
  return zel::MakePaymentFile(SystemFileSystem(), list, PayDay{settings, control, total});
}

PaymentList ThreeEmployees() {
  PaymentList list;
  PaymentLine ivan =
      MakeLine("Иван Петров Георгиев", kValidIban, "", "Заплата за май 2026 г., премия и бонус по трудов договор 123");
  PaymentFieldTexts typed = LoadPaymentFields(ivan);
  typed[PaymentField::NetAmount] = "1234.5";
  EXPECT_TRUE(StorePaymentFields(typed, ivan, Currency::Leva));
  list.lines.push_back(ivan);
  list.lines.push_back(MakeLine("Мария Иванова", "BG18RZBB91550123456789", "", "Аванс"));
  list.lines.push_back(MakeLine("Константин Александров Константинов-Ясенов", "BG47UNCR70001519562303", "200.20", ""));
  return list;
}

TEST(PaymentFileLines, ColumnsOfOnePaymentLine) {
  const std::string line = PaymentFileLine(MakeLine("Ая", kValidIban, "1234.50", std::string(60, 'r')));
  ASSERT_EQ(line.size(), kPaymentFileLineLength);
  EXPECT_EQ(line.substr(0, 22), kValidIban);
  EXPECT_EQ(line.substr(22, 7), std::string(7, ' '));
  EXPECT_EQ(line.substr(29, 7), "1234.50");  // columns 30-36
  EXPECT_EQ(line.substr(37, 2), Cp("Ая"));
  EXPECT_EQ(line.substr(73, 35), std::string(35, 'r'));
  EXPECT_EQ(line.substr(109, 35), std::string(25, 'r') + std::string(10, ' '));

  const std::string empty = PaymentFileLine(MakeLine("", "", "", std::string(20, 'r')));
  ASSERT_EQ(empty.size(), kPaymentFileLineLength);
  EXPECT_EQ(empty.substr(23, 13), std::string(13, ' '));
  EXPECT_EQ(empty.substr(73, 71), std::string(20, 'r') + std::string(51, ' '));
}

TEST(PaymentFileLines, ControlCharactersCannotBreakTheLine) {
  const std::string line = PaymentFileLine(MakeLine("Иван\r\nПетров\x1A", kValidIban, "5.00", "a\nb"));
  ASSERT_EQ(line.size(), kPaymentFileLineLength);
  EXPECT_EQ(line.find_first_of(std::string("\r\n\x1A", 3)), std::string::npos);
  EXPECT_EQ(line.substr(37, 14), Cp("Иван  Петров  "));
}

TEST(PaymentFileTotal, SumsEveryLineAndCountsWhatIsNoNumberAsZero) {
  PaymentList list;
  list.lines.push_back(MakeLine("A", kValidIban, "100.10", ""));
  list.lines.push_back(MakeLine("B", kValidIban, "200.20", ""));
  EXPECT_EQ(FormatAmount(TotalAmount(list)), "300.30");
  list.lines.push_back(MakeLine("C", kValidIban, "", ""));
  list.lines.push_back(MakeLine("D", kValidIban, "abc", ""));
  list.lines.push_back(MakeLine("E", kValidIban, " 5 ", ""));
  EXPECT_EQ(FormatAmount(TotalAmount(list)), "305.30");
  EXPECT_EQ(TotalAmount(PaymentList{}), 0.0);
}

TEST(PaymentFileWrite, FinalFileIsByteForByteTheExpectedFile) {
  test::TempDir dir;
  const PaymentList list = ThreeEmployees();
  const PayFileSettings settings = Settings();
  const std::string control = FirstPass(list, settings);

  const std::string body =
      Mik(ExpectedLine(kValidIban, "1234.50", Cp("Иван Петров Георгиев"),
                       Cp("Заплата за май 2026 г., премия и бонус по трудов договор 123"))) +
      "\r\n" + Mik(ExpectedLine("BG18RZBB91550123456789", "", Cp("Мария Иванова"), Cp("Аванс"))) + "\r\n" +
      Mik(ExpectedLine("BG47UNCR70001519562303", "200.20", Cp("Константин Александров Константинов-"), "")) + "\r\n";
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")), body);

  // The control string is the CRC-32 of the body lines without their ends.
  std::string bodyBytes = body;
  bodyBytes.erase(std::remove_if(bodyBytes.begin(), bodyBytes.end(), [](char c) { return c == '\r' || c == '\n'; }),
                  bodyBytes.end());
  ASSERT_EQ(ControlOf(~Crc32("123456789")), "2639F4CB");
  EXPECT_EQ(control, ControlOf(~Crc32(bodyBytes)));

  const FinalPaymentFileResult result = MakePaymentFile(list, settings, control, TotalAmount(list));
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  const std::string header =
      "OMPDP;07122026;" + kPayerIban + ";;" + Mik(Cp("Торва ООД")) + ";1434.70;3;" + control + ";";
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")), header + "\r\n" + body);
  EXPECT_EQ(result.fullPath, dir.File("O071226p.dp3"));
  EXPECT_EQ(result.message, Cp("Файлът за масово плащане е \"") + dir.File("O071226p.dp3") + "\"");
}

TEST(PaymentFileWrite, EmptyListGivesEmptyBodyAndHeaderAlone) {
  test::TempDir dir;
  const PaymentList list;
  const PayFileSettings settings = Settings("Firm");
  const std::string control = FirstPass(list, settings);
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")), "");
  EXPECT_EQ(control, "00000000");
  const FinalPaymentFileResult result = MakePaymentFile(list, settings, control, TotalAmount(list));
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")),
            "OMPDP;07122026;" + kPayerIban + ";;Firm;0.00;0;00000000;\r\n");
}

// The dialogs refuse such a name; should one get through, the read-back
// check sees the header's figures shifted and the file is not announced.
TEST(PaymentFileVerify, ASemicolonInThePayerNameFailsTheReadBack) {
  test::TempDir dir;
  const PaymentList list = ThreeEmployees();
  const PayFileSettings settings = Settings("A;B");
  const std::string control = FirstPass(list, settings);
  const FinalPaymentFileResult result = MakePaymentFile(list, settings, control, TotalAmount(list));
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(result.message.empty());
}

TEST(PaymentFileWrite, AnAmountWiderThanItsColumnsIsRefusedAndNothingIsReplaced) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("O071226p.dp3"), "before");
  PaymentList list = ThreeEmployees();
  list.lines[1].NetAmount.assign("10000000000.00");  // 14 characters
  const Status s = WriteFinalPaymentFile(SystemFileSystem(), list, PayDay{Settings(), "C2412435", 1434.7});
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("10000000000.00"), std::string::npos);
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")), "before");
}

TEST(PaymentFileWrite, AFailedWriteLeavesThePreviousFileWholeAndNoTemporaryFile) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("O071226p.dp3"), "before");
  test::FailingFileSystem fs(test::FailingFileSystem::Step::WriteTemp);
  const Status s = WriteFinalPaymentFile(fs, ThreeEmployees(), PayDay{Settings(), "C2412435", 1434.7});
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(test::ReadFileBytes(dir.File("O071226p.dp3")), "before");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(PaymentFileVerify, StaleControlOrTotalIsReportedInsteadOfTheClosingMessage) {
  test::TempDir dir;
  const PaymentList list = ThreeEmployees();
  const PayFileSettings settings = Settings();
  const std::string control = FirstPass(list, settings);

  FinalPaymentFileResult r = MakePaymentFile(list, settings, "C2412435", TotalAmount(list));
  EXPECT_FALSE(r.status.ok());
  EXPECT_TRUE(r.message.empty());
  EXPECT_NE(r.status.message().find(dir.File("O071226p.dp3")), std::string::npos);
  EXPECT_NE(r.status.message().find(Cp("контролата")), std::string::npos);

  r = MakePaymentFile(list, settings, control, 1434.69);
  EXPECT_FALSE(r.status.ok());
  EXPECT_NE(r.status.message().find(Cp("общата сума")), std::string::npos);

  r = MakePaymentFile(list, settings, "", TotalAmount(list));  // no control sheet was run
  EXPECT_FALSE(r.status.ok());
}

TEST(PaymentFileVerify, CatchesAFileAlteredBetweenWriteAndCheck) {
  test::TempDir dir;
  const PaymentList list = ThreeEmployees();
  const PayFileSettings settings = Settings();
  const std::string control = FirstPass(list, settings);
  ASSERT_TRUE(MakePaymentFile(list, settings, control, TotalAmount(list)).status.ok());
  const std::string path = dir.File("O071226p.dp3");
  const std::string good = test::ReadFileBytes(path);
  ASSERT_TRUE(VerifyPaymentFile(SystemFileSystem(), path, list).ok());
  ASSERT_TRUE(CheckPaymentFileContent(good, list).ok());

  const std::size_t firstLine = good.find("\r\n") + 2;
  std::string amount = good;
  amount[firstLine + 32] = '6';  // 1234.50 becomes 1234.60
  EXPECT_FALSE(CheckPaymentFileContent(amount, list).ok());

  std::string name = good;
  name[firstLine + 40] = 'X';  // only the control string can tell
  const Status n = CheckPaymentFileContent(name, list);
  EXPECT_FALSE(n.ok());
  EXPECT_NE(n.message().find(Cp("контролата")), std::string::npos);

  std::string dropped = good.substr(0, good.size() - 146);  // the last payment line gone
  const Status d = CheckPaymentFileContent(dropped, list);
  EXPECT_FALSE(d.ok());
  EXPECT_NE(d.message().find(Cp("броят")), std::string::npos);

  EXPECT_FALSE(CheckPaymentFileContent(good + "\r\n", list).ok());  // an empty line is no payment
  EXPECT_FALSE(CheckPaymentFileContent(good + "short\r\n", list).ok());
  EXPECT_FALSE(CheckPaymentFileContent("", list).ok());
  EXPECT_FALSE(CheckPaymentFileContent("OMPDP;07122026;\r\n", list).ok());
  EXPECT_FALSE(CheckPaymentFileContent(good.substr(1), list).ok());

  std::string lower = good;
  lower[firstLine + 1] = 'g';  // a lower-case IBAN the bank would not take
  EXPECT_FALSE(CheckPaymentFileContent(lower, list).ok());

  // Independent of the writer: a list holding an amount that is not a plain
  // amount fails the read-back even when the file agrees with itself.
  PaymentList odd = list;
  odd.lines[1].NetAmount.assign("1e3");
  const PayDay oddDay{settings, ControlString(PaymentFileBody(odd)), TotalAmount(odd)};
  EXPECT_FALSE(CheckPaymentFileContent(PaymentFileText(odd, oddDay), odd).ok());

  test::WriteFileBytes(path, name);
  EXPECT_FALSE(VerifyPaymentFile(SystemFileSystem(), path, list).ok());
  std::filesystem::remove(path);
  EXPECT_FALSE(VerifyPaymentFile(SystemFileSystem(), path, list).ok());
}

}  // namespace
}  // namespace zel
