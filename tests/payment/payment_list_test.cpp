#include "payment/payment_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "personnel/register_files.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"
#include "support/raw_records.h"

namespace zel {
namespace {

using test::Put;
using test::ReadFileBytes;
using test::Stored;
using test::WriteFileBytes;

const std::string kIban = "BG80BNBG96611020345678";

using Step = test::FailingFileSystem::Step;

EmployeeRecord Employee(const std::string& name, const std::string& egn, const std::string& iban = kIban,
                        std::uint8_t hasLeft = 0) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = name;
  r.EGN = egn;
  r.Account = "1000" + egn.substr(0, 6);
  r.IBAN = iban;
  r.HasLeft = hasLeft;
  return r;
}

void WriteRegister(const std::vector<EmployeeRecord>& records) {
  WriteFileBytes(DataFile("employIB.dat"),
                 std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(EmployeeRecord)));
}

std::vector<std::string> Names(const PaymentList& list) {
  std::vector<std::string> names;
  for (const auto& line : list.lines) names.push_back(line.Employee.FullName.str());
  return names;
}

TEST(PaymentList, OnlyEmployeesInServiceWithA22CharacterIbanGetALine) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  EmployeeRecord corrupt = Employee("Corrupt", "5");
  corrupt.IBAN.length = 200;  // reads as 22 characters, but is not a 22-character IBAN
  WriteRegister({Employee("A", "1"), Employee("Left", "2", kIban, 1), Employee("Short", "3", kIban.substr(0, 21)),
                 corrupt, Employee("B", "4")});
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(list.lines[0].NetAmount.empty());
  EXPECT_TRUE(list.lines[0].Reason.empty());
  EXPECT_TRUE(list.lines[0].BankCode.empty());
  EXPECT_FALSE(list.paymentFileRead);
  EXPECT_EQ(PaymentListCaption(list), Cp("Масово плащане"));
}

TEST(PaymentList, StoredFieldsFindTheirLineByEgn) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({Employee("A", "7501011234"), Employee("Twin 1", "8002023456"), Employee("Twin 2", "8002023456"),
                 Employee("New", "9003034567")});
  WriteFileBytes(dir.File("masspIB.dat"),
                 Stored("BNBG9661", "7501011234", "100.00", "first", "BG00OTHERIBAN000000000") +
                     Stored("", "8002023456", "200.00", Cp("Заплата")) +
                     Stored("", "750101123", "999.00", "prefix only") +  // no line has this EGN
                     Stored("X", "7501011234", "150.50", "last wins") + std::string(50, '\x01'));
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  ASSERT_EQ(list.lines.size(), 4u);
  EXPECT_EQ(list.lines[0].BankCode.str(), "X");
  EXPECT_EQ(list.lines[0].NetAmount.str(), "150.50");
  EXPECT_EQ(list.lines[0].Reason.str(), "last wins");
  EXPECT_EQ(list.lines[0].Employee.IBAN.str(), kIban);  // the register's IBAN counts
  EXPECT_EQ(list.lines[1].NetAmount.str(), "200.00");
  EXPECT_EQ(list.lines[1].Reason.str(), Cp("Заплата"));
  EXPECT_TRUE(list.lines[2].NetAmount.empty());  // only the first of two employees sharing an EGN
  EXPECT_TRUE(list.lines[3].NetAmount.empty());
  EXPECT_EQ(PaymentListCaption(list), Cp("Масово плащане - 4"));
}

TEST(PaymentList, SaveWritesEveryLineAtTheRecordOffsets) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({Employee("A", "7501011234"), Employee("Left", "8002023456", kIban, 1)});
  WriteFileBytes(dir.File("masspIB.dat"), Stored("", "8002023456", "5.00", "gone after save"));
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  ASSERT_EQ(list.lines.size(), 1u);
  list.lines[0].NetAmount = "1234.50";
  list.lines[0].Reason = Cp("Заплата");
  ASSERT_TRUE(SavePaymentList(fs, list, {}).ok());

  std::string expected(136, '\0');
  Put(expected, 9, "7501011234");
  Put(expected, 20, "1000750101");
  Put(expected, 31, "1234.50");
  Put(expected, 52, Cp("Заплата"));
  Put(expected, 113, kIban);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")), expected);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.bak")), Stored("", "8002023456", "5.00", "gone after save"));
}

TEST(PaymentList, ReopeningWithoutChangesKeepsTheFieldsAndTheBackup) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({Employee("A", "1"), Employee("B", "2")});
  std::string stored = Stored("BANK", "2", "10.00", "r");
  stored[31] = static_cast<char>(99);  // corrupt length byte: read as 20, written back as is
  WriteFileBytes(dir.File("masspIB.dat"), stored);

  std::string saves[2];
  for (std::string& saved : saves) {
    PaymentList list;
    ASSERT_TRUE(LoadPaymentList(fs, list).ok());
    EXPECT_EQ(list.lines[1].NetAmount.size(), 20u);
    ASSERT_TRUE(SavePaymentList(fs, list, {}).ok());
    FreePaymentLines(list);
    EXPECT_TRUE(list.lines.empty());
    saved = ReadFileBytes(dir.File("masspIB.dat"));
  }
  EXPECT_EQ(saves[0], saves[1]);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.bak")), saves[0]);
  EXPECT_EQ(saves[0].substr(136 + 31, 21), stored.substr(31, 21));
}

TEST(PaymentList, SharedEgnKeepsTheFirstLinesFieldsAcrossReopening) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({Employee("Twin 1", "8002023456"), Employee("Other", "1"), Employee("Twin 2", "8002023456")});
  WriteFileBytes(dir.File("masspIB.dat"), Stored("", "8002023456", "200.00", "twin"));
  for (int round = 0; round < 2; ++round) {
    PaymentList list;
    ASSERT_TRUE(LoadPaymentList(fs, list).ok());
    ASSERT_EQ(list.lines.size(), 3u);
    EXPECT_EQ(list.lines[0].NetAmount.str(), "200.00") << "round " << round;
    ASSERT_TRUE(SavePaymentList(fs, list, {}).ok());
  }
  // One record per EGN: a second one would win over the first at the next load.
  const std::string saved = ReadFileBytes(dir.File("masspIB.dat"));
  ASSERT_EQ(saved.size(), 2u * 136u);
  EXPECT_EQ(saved.substr(9, 11), Stored("", "8002023456", "", "").substr(9, 11));
  EXPECT_EQ(saved.substr(136 + 9, 2), std::string("\x01"
                                                  "1"));
}

TEST(PaymentList, WithoutRegisterTheListIsEmptyAndNothingIsSaved) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  const std::string stored = Stored("", "1", "10.00", "keep me");
  WriteFileBytes(dir.File("masspIB.dat"), stored);
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  EXPECT_TRUE(list.lines.empty());
  EXPECT_FALSE(list.registerFound);
  EXPECT_FALSE(list.paymentFileRead);
  EXPECT_EQ(PaymentListCaption(list), Cp("Масово плащане"));
  ASSERT_TRUE(SavePaymentList(fs, list, {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")), stored);
  EXPECT_FALSE(fs.Exists(dir.File("masspIB.bak")));
}

TEST(PaymentList, EmptyRegisterSavesAnEmptyList) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({});
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  EXPECT_TRUE(list.registerFound);
  ASSERT_TRUE(SavePaymentList(fs, list, {}).ok());
  EXPECT_TRUE(fs.Exists(dir.File("masspIB.dat")));
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")), "");
}

TEST(PaymentList, FailedSaveLeavesThePreviousFile) {
  test::TempDir dir;
  test::FailingFileSystem fs;
  WriteRegister({Employee("A", "1")});
  const std::string stored = Stored("", "1", "10.00", "r");
  WriteFileBytes(dir.File("masspIB.dat"), stored);
  PaymentList list;
  ASSERT_TRUE(LoadPaymentList(fs, list).ok());
  list.lines[0].NetAmount = "20.00";
  for (const auto step : {Step::WriteTemp, Step::SyncTemp, Step::Rename}) {
    fs.fail = step;
    EXPECT_FALSE(SavePaymentList(fs, list, {}).ok());
    EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat")), stored);
  }
}

}  // namespace
}  // namespace zel
