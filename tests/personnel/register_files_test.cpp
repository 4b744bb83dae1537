#include "personnel/register_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/text.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"
#include "support/raw_records.h"

namespace zel {
namespace {

using test::Put;
using test::ReadFileBytes;
using test::WriteFileBytes;

using Step = test::FailingFileSystem::Step;

// Makes one step of the file system fail for a scope.
struct FailStep {
  FailStep(test::FailingFileSystem& fs, Step step) : fs_(fs) { fs_.fail = step; }
  ~FailStep() { fs_.fail = Step::None; }
  test::FailingFileSystem& fs_;
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
  test::FailingFileSystem fs;
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
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());

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
  test::FailingFileSystem fs;
  std::string first(339, '\0');
  Put(first, 0, "Short");
  first[0] = static_cast<char>(200);  // corrupt length byte
  first.replace(1, 60, std::string(60, 'N'));
  std::string second(339, '\x5A');  // every byte significant or not, kept
  Put(second, 82, "8002023456");
  second[315] = 1;
  WriteFileBytes(dir.File("employIB.dat"), first + second + std::string(100, '\x7F'));

  Register reg;
  ASSERT_TRUE(LoadRegister(fs, reg).ok());
  ASSERT_EQ(reg.size(), 2u);
  EXPECT_EQ(reg.at(0).FullName.str(), std::string(60, 'N'));
  EXPECT_EQ(reg.at(1).EGN.str(), "8002023456");
  EXPECT_EQ(reg.at(1).HasLeft, 1);
  EXPECT_FALSE(reg.Modified());

  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), first + second);  // partial tail dropped

  FreeRecords(reg);
  EXPECT_TRUE(reg.empty());
}

TEST(RegisterFile, MissingFileLoadsNothing) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  Register reg;
  EXPECT_TRUE(LoadRegister(fs, reg).ok());
  EXPECT_TRUE(reg.empty());
}

TEST(RegisterFile, SecondSaveKeepsTheFirstAsBackupAndEmptyListSavesZeroBytes) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  const std::string firstSave = ReadFileBytes(dir.File("employIB.dat"));
  EXPECT_FALSE(fs.Exists(dir.File("employIB.bak")));

  reg.Append(Employee("B", "2"));
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.bak")), firstSave);
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), Bytes(reg));

  FreeRecords(reg);
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  EXPECT_TRUE(fs.Exists(dir.File("employIB.dat")));
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), "");
}

TEST(RegisterFile, FailedSaveLeavesThePreviousFileAndIsReported) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  const std::string saved = ReadFileBytes(dir.File("employIB.dat"));
  reg.Append(Employee("B", "2"));

  for (const auto step : {Step::CreateTemp, Step::WriteTemp, Step::Rename}) {
    FailStep fail(fs, step);
    const Status s = SaveRegister(fs, reg, {});
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find(dir.File("employIB.dat")), std::string::npos) << s.message();
    EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), saved);
  }
}

TEST(RegisterFile, BackupFailureWarnsWithFullPathsAndStillSaves) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  Register reg;
  reg.Append(Employee("A", "1"));
  ASSERT_TRUE(SaveRegister(fs, reg, {}).ok());
  std::vector<std::string> warnings;
  {
    FailStep fail(fs, Step::KeepBackup);
    ASSERT_TRUE(SaveRegister(fs, reg, [&](const std::string& w) { warnings.push_back(w); }).ok());
  }
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "Error renaming file " + dir.File("employIB.dat") + " to " + dir.File("employIB.bak") + "!");
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), Bytes(reg));
}

}  // namespace
}  // namespace zel
