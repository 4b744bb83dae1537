#include "shell/euro_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "support/fakes.h"
#include "support/raw_records.h"

namespace zel {
namespace {

using test::Put;
using test::ReadFileBytes;
using test::Stored;
using test::WriteFileBytes;

// An employee record with stray bytes behind its texts, as real files have them.
std::string Employee(const std::string& name, const std::string& egn, const std::string& requested,
                     const std::string& minBalance, const std::string& overdraft, bool payable = true) {
  std::string raw(339, '\x5A');
  for (std::size_t off : {0, 61, 82, 93, 104, 106, 116, 127, 148, 169, 220, 241, 262, 273, 294, 316}) raw[off] = 0;
  Put(raw, 0, name);
  Put(raw, 82, egn);
  Put(raw, 220, requested);
  Put(raw, 241, minBalance);
  Put(raw, 273, overdraft);
  raw[315] = 0;
  Put(raw, 316, payable ? "BG80BNBG96611020345678" : "");
  return raw;
}

std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.insert(e.path().filename().string() + " " + ReadFileBytes(e.path().string()));
  }
  return names;
}

class EuroConversion : public ::testing::Test {
protected:
  void WriteLevaFolder() {
    staff = Employee(Cp("Иван Петров Иванов"), "8001011234", "802.00", "2.00", "100") +
            Employee(Cp("Мария Иванова Петрова"), "8502029876", "900", "2", "") + "tail";
    payments = Stored("", "8001011234", "900.00", "Salary") + Stored("", "8502029876", "", "Salary");
    WriteFileBytes(dir.File(kRegisterFile), staff);
    WriteFileBytes(dir.File(kPaymentListFile), payments);
    WriteFileBytes(dir.File(kRegisterBackup), "older register");
  }

  test::TempDir dir;
  FileSystem& fs = SystemFileSystem();
  Date today{2026, 12, 8, 2};
  std::string staff;
  std::string payments;
};

TEST_F(EuroConversion, ConvertsEveryAmountOnceKeepingTheLevaFiles) {
  WriteLevaFolder();
  FolderAtStart at = OpenDataFolder(fs);
  ASSERT_EQ(at.folder.currency, Currency::Leva);

  const EuroConversionResult result = ConvertDataFolder(fs, at.folder, today);
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  ASSERT_TRUE(result.refusal.empty()) << result.refusal;
  EXPECT_EQ(at.folder.currency, Currency::Euro);

  // Only the amounts changed, the general rule in the register and the pay rule in the payment list.
  std::string expectedStaff = staff;
  Put(expectedStaff, 220, "410.06");
  Put(expectedStaff, 241, "1.02");
  Put(expectedStaff, 273, "51.13");
  Put(expectedStaff, 339 + 220, "460.16");
  Put(expectedStaff, 339 + 241, "1.02");
  EXPECT_EQ(ReadFileBytes(dir.File(kRegisterFile)), expectedStaff);
  std::string expectedPayments = payments;
  Put(expectedPayments, 31, "460.17");
  EXPECT_EQ(ReadFileBytes(dir.File(kPaymentListFile)), expectedPayments);

  // The leva files are kept under names that say so; no backup name holds leva.
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat.lev")), staff);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat.lev")), payments);
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.bak.lev")), "older register");
  EXPECT_FALSE(fs.Exists(dir.File(kRegisterBackup)));
  EXPECT_FALSE(fs.Exists(dir.File(kConversionJournal)));

  // The report names every converted amount, before and after, with the totals.
  const std::string report = ReadFileBytes(result.reportPath);
  EXPECT_EQ(report.substr(0, 3), "\xEF\xBB\xBF");
  for (const char* expected : {"Иван Петров Иванов", "8001011234", "802.00", "410.06", "100", "51.13", "900.00",
                               "460.17", "1702.00", "870.22", "\r\n"}) {
    EXPECT_NE(report.find(expected), std::string::npos) << expected;
  }

  // Euro from now on, and never converted again.
  const std::set<std::string> after = Listing(dir.path());
  FolderAtStart again = OpenDataFolder(fs);
  EXPECT_EQ(again.folder.currency, Currency::Euro);
  EXPECT_TRUE(ConvertDataFolder(fs, again.folder, today).report.staff.lines.empty());
  EXPECT_EQ(Listing(dir.path()), after);
}

TEST_F(EuroConversion, AnAmountThatIsNoPlainNumberStopsItBeforeAnythingIsWritten) {
  struct Case {
    std::size_t offset;  // of the amount in the files
    bool inPayments;
    const char* amount;
    const char* field;
  };
  const Case cases[] = {{220, false, "1e3", "заявена сума (ЕДК)"},
                        {241, false, "1,5", "минимален остатък"},
                        {273, false, "12лв", "Овърдрафт"},
                        {339 + 220, false, "-802", "заявена сума (ЕДК)"},
                        {31, true, " 25", "Чиста сума за получаване"},
                        {220, false, "99999999999999999999", "заявена сума (ЕДК)"}};
  for (const Case& c : cases) {
    WriteLevaFolder();
    std::string& content = c.inPayments ? payments : staff;
    Put(content, c.offset, Cp(c.amount));
    WriteFileBytes(dir.File(c.inPayments ? kPaymentListFile : kRegisterFile), content);
    const std::set<std::string> before = Listing(dir.path());

    FolderAtStart at = OpenDataFolder(fs);
    const EuroConversionResult result = ConvertDataFolder(fs, at.folder, today);
    EXPECT_NE(result.refusal.find(Cp(c.field)), std::string::npos) << c.amount;
    EXPECT_NE(result.refusal.find(Cp(c.amount)), std::string::npos) << c.amount;
    EXPECT_NE(result.refusal.find(c.offset >= 339 ? Cp("Мария") : Cp("Иван")), std::string::npos) << c.amount;
    EXPECT_EQ(at.folder.currency, Currency::Leva);
    EXPECT_EQ(Listing(dir.path()), before) << c.amount;
  }
}

// A record the payment list never shows cannot be mended there: one whose
// amount is no number is left out (and said so) rather than blocking.
TEST_F(EuroConversion, LeavesOutAStoredPaymentNoLineTakes) {
  WriteLevaFolder();
  payments += Stored("", "7001011111", "1e3", "Left long ago");
  WriteFileBytes(dir.File(kPaymentListFile), payments);
  FolderAtStart at = OpenDataFolder(fs);
  const EuroConversionResult result = ConvertDataFolder(fs, at.folder, today);
  ASSERT_TRUE(result.refusal.empty()) << result.refusal;
  EXPECT_EQ(ReadFileBytes(dir.File(kPaymentListFile)).size(), 2 * 136u);
  EXPECT_NE(result.report.payments.note.find("1"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir.File("masspIB.dat.lev")), payments);
}

TEST_F(EuroConversion, ANewFolderIsInEuroAndRecordsItBeforeItsFirstSave) {
  FolderAtStart at = OpenDataFolder(fs);
  EXPECT_EQ(at.folder.currency, Currency::Euro);
  EXPECT_FALSE(fs.Exists(dir.File(kCurrencyRecord)));  // a folder merely visited stays as it was
  ASSERT_TRUE(RecordBeforeSave(fs, at.folder, today).ok());
  EXPECT_EQ(ReadFileBytes(dir.File(kCurrencyRecord)), "EUR\r\n08.12.2026\r\n");
  WriteFileBytes(dir.File(kRegisterFile), Employee(Cp("Иван Петров Иванов"), "8001011234", "410.06", "1.02", ""));
  EXPECT_EQ(OpenDataFolder(fs).folder.currency, Currency::Euro);
}

}  // namespace
}  // namespace zel
