#include "personnel/register_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/text.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

// Puts a length byte and the text at `offset` of a raw record.
void Put(std::string& raw, std::size_t offset, const std::string& text) {
  raw[offset] = static_cast<char>(text.size());
  raw.replace(offset + 1, text.size(), text);
}

struct FailStep {
  explicit FailStep(files::SaveStep step) { files::FailSaveStepForTesting(step); }
  ~FailStep() { files::FailSaveStepForTesting(files::SaveStep::None); }
};

EmployeeRecord Employee(const std::string& name, const std::string& egn) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = name;
  r.EGN = egn;
  return r;
}

std::string Bytes(const Register& reg) {
  return std::string(reinterpret_cast<const char*>(reg.records().data()), reg.size() * sizeof(EmployeeRecord));
}

TEST(RegisterFile, RecordFieldsLieAtTheirOffsets) {
  test::TempDir dir;
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = Cp("Иван Петров Иванов");
  r.ShortName = Cp("И.П.Иванов");
  r.EGN = "7501011234";
  r.BirthDate = "01.01.1975";
  r.PassportSeries = "A";
  r.PassportNo = "123456789";
  r.IssueDate = "02.02.2002";
  r.IssuedBy = Cp("МВР София");
  r.Town = Cp("София");
  r.Street = Cp("ул. Шипка 5");
  r.RequestedSum = "802.00";
  r.MinBalance = "2.00";
  r.Account = "1234567890";
  r.Overdraft = "100.00";
  r.LabourContract = "12/01.02.2003";
  r.HasLeft = 1;
  r.IBAN = "BG80BNBG96611020345678";
  Register reg;
  reg.Append(r);
  ASSERT_TRUE(SaveRegister(reg, {}).ok());

  std::string expected(339, '\0');
  Put(expected, 0, Cp("Иван Петров Иванов"));
  Put(expected, 61, Cp("И.П.Иванов"));
  Put(expected, 82, "7501011234");
  Put(expected, 93, "01.01.1975");
  Put(expected, 104, "A");
  Put(expected, 106, "123456789");
  Put(expected, 116, "02.02.2002");
  Put(expected, 127, Cp("МВР София"));
  Put(expected, 148, Cp("София"));
  Put(expected, 169, Cp("ул. Шипка 5"));
  Put(expected, 220, "802.00");
  Put(expected, 241, "2.00");
  Put(expected, 262, "1234567890");
  Put(expected, 273, "100.00");
  Put(expected, 294, "12/01.02.2003");
  expected[315] = 1;
  Put(expected, 316, "BG80BNBG96611020345678");
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), expected);
}

TEST(RegisterFile, LoadTakesWholeRecordsAndSaveWritesThemBackUnchanged) {
  test::TempDir dir;
  std::string first(339, '\0');
  Put(first, 0, "Short");
  first[0] = static_cast<char>(200);  // corrupt length byte
  first.replace(1, 60, std::string(60, 'N'));
  std::string second(339, '\x5A');  // every byte significant or not, kept
  Put(second, 82, "8002023456");
  second[315] = 1;
  WriteFileBytes(dir.File("employIB.dat"), first + second + std::string(100, '\x7F'));

  Register reg;
  ASSERT_TRUE(LoadRegister(reg).ok());
  ASSERT_EQ(reg.size(), 2u);
  EXPECT_EQ(reg.at(0).FullName.str(), std::string(60, 'N'));
  EXPECT_EQ(reg.at(1).EGN.str(), "8002023456");
  EXPECT_EQ(reg.at(1).HasLeft, 1);
  EXPECT_FALSE(reg.Modified());

  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), first + second);  // partial tail dropped

  FreeRecords(reg);
  EXPECT_TRUE(reg.empty());
}

TEST(RegisterFile, MissingFileLoadsNothing) {
  test::TempDir dir;
  Register reg;
  EXPECT_TRUE(LoadRegister(reg).ok());
  EXPECT_TRUE(reg.empty());
}

TEST(RegisterFile, SecondSaveKeepsTheFirstAsBackupAndEmptyListSavesZeroBytes) {
  test::TempDir dir;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  const std::string firstSave = ReadFileBytes(dir.File("employIB.dat"));
  EXPECT_FALSE(files::Exists(dir.File("employIB.bak")));

  reg.Append(Employee("B", "2"));
  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.bak")), firstSave);
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), Bytes(reg));

  FreeRecords(reg);
  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  EXPECT_TRUE(files::Exists(dir.File("employIB.dat")));
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), "");
}

TEST(RegisterFile, FailedSaveLeavesThePreviousFileAndIsReported) {
  test::TempDir dir;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  const std::string saved = ReadFileBytes(dir.File("employIB.dat"));
  reg.Append(Employee("B", "2"));

  for (const auto step : {files::SaveStep::CreateTemp, files::SaveStep::WriteTemp, files::SaveStep::Rename}) {
    FailStep fail(step);
    const Status s = SaveRegister(reg, {});
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find(dir.File("employIB.dat")), std::string::npos) << s.message();
    EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), saved);
  }
}

TEST(RegisterFile, BackupFailureWarnsWithFullPathsAndStillSaves) {
  test::TempDir dir;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(reg, {}).ok());
  std::vector<std::string> warnings;
  {
    FailStep fail(files::SaveStep::KeepBackup);
    ASSERT_TRUE(SaveRegister(reg, [&](const std::string& w) { warnings.push_back(w); }).ok());
  }
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "Error renaming file " + dir.File("employIB.dat") + " to " + dir.File("employIB.bak") + "!");
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), Bytes(reg));
}

// The start-up conversion runs before DataDir is known: bare names in the current directory.
class Conversion : public ::testing::Test {
protected:
  Conversion() { SetDataDir(""); }
  std::string Full(const std::string& name) const { return files::CurrentDirectory() + "/" + name; }

  test::TempDir dir;
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
  ASSERT_TRUE(NotIbanData(messages));
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, Cp("Данните не съдържат IBAN номер на сметка! Данните ще бъдат конвертирани !"));

  ConvertIBANData(messages);
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
  ConvertIBANData(messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat"), expected);
}

TEST_F(Conversion, SizeDecidesTheLayout) {
  WriteFileBytes("employs.dat", "");
  ConvertIBANData(messages);
  EXPECT_TRUE(files::Exists("employIB.dat"));
  EXPECT_EQ(ReadFileBytes("employIB.dat"), "");
  std::remove("employIB.dat");

  WriteFileBytes("employs.dat", std::string(1000, '\0'));
  ConvertIBANData(messages);
  EXPECT_FALSE(files::Exists("employIB.dat"));
  EXPECT_TRUE(NotIbanData(messages));  // and so at every start

  // 43292 bytes fit both layouts: taken as 158 records of the first.
  WriteFileBytes("employs.dat", std::string(43292, '\0'));
  ConvertIBANData(messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat").size(), 158u * 339u);
}

TEST_F(Conversion, ExistingRegisterIsNeverTouched) {
  WriteFileBytes("employs.dat", OldRecord(274, 1, 0));
  WriteFileBytes("employIB.dat", "keep");
  ConvertIBANData(messages);
  ConvertRegisterV1(messages);
  ConvertRegisterV2(messages);
  EXPECT_EQ(ReadFileBytes("employIB.dat"), "keep");

  WriteFileBytes("masspIB.dat", "");
  messages.log.clear();
  EXPECT_FALSE(NotIbanData(messages));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(Conversion, NothingToDoWithoutTheOldFile) {
  EXPECT_FALSE(NotIbanData(messages));
  ConvertIBANData(messages);
  EXPECT_FALSE(files::Exists("employIB.dat"));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(Conversion, FailedWriteIsReportedAndLeavesNoRegister) {
  WriteFileBytes("employs.dat", OldRecord(274, 1, 0));
  {
    FailStep fail(files::SaveStep::WriteTemp);
    ConvertRegisterV1(messages);
  }
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, "Error save in file " + Full("employIB.dat") + " !");
  EXPECT_FALSE(files::Exists("employIB.dat"));
}

}  // namespace
}  // namespace zel
