#include "shell/data_conversion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"
#include "support/raw_records.h"

namespace zel {
namespace {

using test::Put;
using test::ReadFileBytes;
using test::Stored;
using test::WriteFileBytes;
using Step = test::FailingFileSystem::Step;

// The start-up conversion runs before DataDir is known: bare names in the current directory.
class Conversion : public ::testing::Test {
protected:
  Conversion() { SetDataDir(""); }
  std::string Full(const std::string& name) const { return dir.File(name); }

  test::TempDir dir;
  test::FailingFileSystem fs;
  test::FakeMessages messages;
};

// An old record with texts that have stray bytes behind their lengths.
std::string OldRecord(std::size_t size, int i, char hasLeft) {
  std::string raw(size, '\xAA');
  Put(raw, 0, "Name " + std::to_string(i));
  Put(raw, 82, "75010112" + std::to_string(10 + i));
  Put(raw, 262, "100000000" + std::to_string(i % 10));
  raw[61] = 0;  // an empty ShortName with junk behind it
  for (std::size_t off : {93, 104, 106, 116, 127, 148, 169, 220, 241}) raw[off] = 0;
  if (size == 316) {
    Put(raw, 273, "50.00");
    Put(raw, 294, "TD " + std::to_string(i));
  }
  raw[size - 1] = hasLeft;
  return raw;
}

std::string ExpectedNewRecord(int i, char hasLeft, bool withV2Fields) {
  std::string raw(339, '\0');
  Put(raw, 0, "Name " + std::to_string(i));
  Put(raw, 82, "75010112" + std::to_string(10 + i));
  Put(raw, 262, "100000000" + std::to_string(i % 10));
  if (withV2Fields) {
    Put(raw, 273, "50.00");
    Put(raw, 294, "TD " + std::to_string(i));
  }
  raw[315] = hasLeft;
  return raw;
}

TEST_F(Conversion, FirstLayoutGainsEmptyOverdraftContractAndIban) {
  std::string old, expected;
  for (int i = 0; i < 10; ++i) {
    old += OldRecord(274, i, static_cast<char>(i % 2));
    expected += ExpectedNewRecord(i, static_cast<char>(i % 2), false);
  }
  WriteFileBytes("employs.dat", old);
  ASSERT_TRUE(NotIbanData(fs, {}, messages));
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, Cp("Данните не съдържат IBAN номер на сметка! Данните ще бъдат конвертирани !"));

  ConvertIBANData(fs, {}, messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat"), expected);
  EXPECT_EQ(ReadFileBytes("employs.dat"), old);
  EXPECT_EQ(messages.log.size(), 1u);
}

TEST_F(Conversion, SecondLayoutKeepsEveryFieldButIban) {
  std::string old, expected;
  for (int i = 0; i < 3; ++i) {
    old += OldRecord(316, i, 1);
    expected += ExpectedNewRecord(i, 1, true);
  }
  WriteFileBytes("employs.dat", old);
  ConvertIBANData(fs, {}, messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat"), expected);
}

TEST_F(Conversion, SizeDecidesTheLayout) {
  WriteFileBytes("employs.dat", "");
  ConvertIBANData(fs, {}, messages);
  EXPECT_TRUE(fs.Exists("employIB.dat"));
  EXPECT_EQ(ReadFileBytes("employIB.dat"), "");
  std::remove("employIB.dat");

  WriteFileBytes("employs.dat", std::string(1000, '\0'));
  ConvertIBANData(fs, {}, messages);
  EXPECT_FALSE(fs.Exists("employIB.dat"));
  EXPECT_TRUE(NotIbanData(fs, {}, messages));  // and so at every start

  // 43292 bytes fit both layouts: taken as 158 records of the first.
  WriteFileBytes("employs.dat", std::string(43292, '\0'));
  ConvertIBANData(fs, {}, messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat").size(), 158u * 339u);
}

TEST_F(Conversion, ExistingRegisterIsNeverTouched) {
  WriteFileBytes("employs.dat", OldRecord(274, 1, 0));
  WriteFileBytes("employIB.dat", "keep");
  ConvertIBANData(fs, {}, messages);
  WriteFileBytes("employs.dat", OldRecord(316, 1, 0));
  ConvertIBANData(fs, {}, messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat"), "keep");

  WriteFileBytes("masspIB.dat", "");
  messages.log.clear();
  EXPECT_FALSE(NotIbanData(fs, {}, messages));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(Conversion, NothingToDoWithoutTheOldFile) {
  EXPECT_FALSE(NotIbanData(fs, {}, messages));
  ConvertIBANData(fs, {}, messages);
  EXPECT_FALSE(fs.Exists("employIB.dat"));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(Conversion, FailedWriteIsReportedAndLeavesNoRegister) {
  WriteFileBytes("employs.dat", OldRecord(274, 1, 0));
  fs.fail = Step::WriteTemp;
  ConvertIBANData(fs, {}, messages);
  fs.fail = Step::None;
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, "Error save in file " + Full("employIB.dat") + " !");
  EXPECT_FALSE(fs.Exists("employIB.dat"));
}

class PaymentConversion : public ::testing::Test {
protected:
  PaymentConversion() { SetDataDir(""); }
  // The payment list's conversion alone: the register's newer file is there already.
  void ConvertPaymentList() {
    WriteFileBytes("employs.dat", "");
    WriteFileBytes("employIB.dat", "");
    ConvertIBANData(fs, {}, messages);
  }
  test::TempDir dir;
  test::FailingFileSystem fs;
  test::FakeMessages messages;
};

TEST_F(PaymentConversion, OldRecordsGainAnEmptyIban) {
  const std::string a = Stored("B1", "1", "1.00", "one").substr(0, 113);
  const std::string b = Stored("", "2", "2.00", "two").substr(0, 113);
  WriteFileBytes("masspay.dat", a + b + "partial");
  ConvertPaymentList();
  EXPECT_EQ(ReadFileBytes("masspIB.dat"), a + std::string(23, '\0') + b + std::string(23, '\0'));
  EXPECT_EQ(ReadFileBytes("masspay.dat"), a + b + "partial");
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(PaymentConversion, ExistingPaymentFileIsKept) {
  WriteFileBytes("masspay.dat", std::string(113, '\0'));
  WriteFileBytes("masspIB.dat", "keep");
  ConvertPaymentList();
  EXPECT_EQ(ReadFileBytes("masspIB.dat"), "keep");
}

TEST_F(PaymentConversion, RunsWithTheRegisterConversionOnly) {
  WriteFileBytes("masspay.dat", std::string(113, '\0'));
  ConvertIBANData(fs, {}, messages);  // no employs.dat: nothing at all
  EXPECT_FALSE(fs.Exists("masspIB.dat"));

  WriteFileBytes("employs.dat", std::string(274, '\0'));
  ConvertIBANData(fs, {}, messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat").size(), 339u);
  EXPECT_EQ(ReadFileBytes("masspIB.dat"), std::string(136, '\0'));
}

TEST_F(PaymentConversion, FailedWriteIsReported) {
  WriteFileBytes("masspay.dat", std::string(113, '\0'));
  fs.fail = Step::Rename;
  ConvertPaymentList();
  fs.fail = Step::None;
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, "Error save in file " + dir.File("masspIB.dat") + " !");
  EXPECT_FALSE(fs.Exists("masspIB.dat"));
}

// The older files hold leva: in a folder in euro their amounts come in
// converted (the register's to the nearest cent, net pay by the pay rule),
// and a file with an amount that cannot be is not brought over at all.
TEST_F(PaymentConversion, InAFolderInEuroTheLevaAmountsComeInConverted) {
  std::string staff = OldRecord(316, 1, 0);
  Put(staff, 220, "802.00");
  Put(staff, 273, "100");
  WriteFileBytes("employs.dat", staff);
  WriteFileBytes("masspay.dat", Stored("", "7501011211", "900.00", "pay").substr(0, 113));
  ConvertIBANData(fs, {}, messages, Currency::Euro);
  const std::string reg = ReadFileBytes("employIB.dat");
  EXPECT_EQ(reg.substr(220, 7), std::string("\x06") + "410.06");
  EXPECT_EQ(reg.substr(273, 6), std::string("\x05") + "51.13");
  EXPECT_EQ(ReadFileBytes("masspIB.dat").substr(31, 7), std::string("\x06") + "460.17");
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_NE(messages.log[0].text.find(Cp("превърнати в евро")), std::string::npos);

  std::remove("employIB.dat");
  std::remove("masspIB.dat");
  messages.log.clear();
  Put(staff, 220, "1,5");
  WriteFileBytes("employs.dat", staff);
  ConvertIBANData(fs, {}, messages, Currency::Euro);
  EXPECT_FALSE(fs.Exists("employIB.dat"));
  EXPECT_TRUE(fs.Exists("masspIB.dat"));
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_NE(messages.log[0].text.find("1,5"), std::string::npos);
  EXPECT_NE(messages.log[0].text.find("employs.dat"), std::string::npos);
}

}  // namespace
}  // namespace zel
