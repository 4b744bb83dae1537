#include "shell/euro_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

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

  // Empties the folder and writes the leva folder again.
  void ResetLevaFolder() {
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) std::filesystem::remove(e.path());
    WriteLevaFolder();
  }
  // The folder as it is in leva, and as a clean conversion leaves it in euro.
  void TakeBothStates() {
    WriteLevaFolder();
    leva = Listing(dir.path());
    DataFolder folder = OpenDataFolder(fs).folder;
    ASSERT_TRUE(ConvertDataFolder(fs, folder, today).status.ok());
    euro = Listing(dir.path());
    ResetLevaFolder();
  }
  std::string StateOnDisk() const {
    const std::set<std::string> now = Listing(dir.path());
    return now == leva ? "leva" : now == euro ? "euro" : "mixed";
  }

  test::TempDir dir;
  FileSystem& fs = SystemFileSystem();
  std::set<std::string> leva;
  std::set<std::string> euro;
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

// Every failure of the conversion or its undo ends wholly in leva or wholly
// in euro, the program takes the folder as the disk holds it, and the next
// start finds the same.
TEST_F(EuroConversion, EveryFailureEndsWhollyInLevaOrWhollyInEuro) {
  TakeBothStates();
  using Step = test::FailingFileSystem::Step;
  const auto endsWith = [](const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };
  struct Row {
    const char* what;
    std::function<bool(Step, const std::string&, const std::string&)> failWhen;
    int error;
    const char* state;
    bool reported;
    bool refusedBeforeWriting = false;
  };
  const Row rows[] = {
      {"every folder flush fails, the record's after its rename too",
       [](Step s, auto&, auto&) { return s == Step::SyncFolder; }, EIO, "euro", false},
      {"a folder that cannot be flushed at all (a network share)",
       [](Step s, auto&, auto&) { return s == Step::SyncFolder; }, EINVAL, "euro", false},
      {"the record is not written",
       [&](Step s, const std::string& p, auto&) {
         return s == Step::CreateTemp && endsWith(p, std::string(kCurrencyRecord) + ".tmp-");
       },
       EIO, "leva", true},
      {"the register is not replaced: its leva copy is a second name of it",
       [&](Step s, const std::string& p, auto&) {
         return s == Step::CreateTemp && endsWith(p, std::string(kRegisterFile) + ".tmp-");
       },
       EIO, "leva", true},
      {"a read-only register, found before the journal",
       [&](Step s, const std::string& p, auto&) { return s == Step::CheckReplaceable && endsWith(p, kRegisterFile); },
       EACCES, "leva", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ResetLevaFolder();
    test::FailingFileSystem failing;
    bool wrote = false;
    failing.failWhen = [&](Step s, const std::string& path, const std::string& from) {
      wrote = wrote || s == Step::CreateTemp;
      return row.failWhen(s, path, from);
    };
    failing.error = row.error;
    failing.systemError = row.error;
    DataFolder folder = OpenDataFolder(fs).folder;
    const EuroConversionResult result = ConvertDataFolder(failing, folder, today);
    EXPECT_EQ(StateOnDisk(), row.state);
    EXPECT_EQ(folder.currency, std::string(row.state) == "euro" ? Currency::Euro : Currency::Leva);
    EXPECT_EQ(!result.status.ok(), row.reported) << result.status.message();
    EXPECT_EQ(wrote, !row.refusedBeforeWriting);
    EXPECT_EQ(OpenDataFolder(fs).folder.currency, folder.currency);
    EXPECT_EQ(StateOnDisk(), row.state);
  }
}

// An undo that fails too leaves the journal: the folder counts as leva, a
// second conversion is refused naming what is left, and the next start
// finishes the undo.
TEST_F(EuroConversion, AFailedUndoIsNeverConvertedAgainAndTheNextStartFinishesIt) {
  TakeBothStates();
  using Step = test::FailingFileSystem::Step;
  test::FailingFileSystem failing;
  failing.failWhen = [](Step s, const std::string& path, const std::string& from) {
    const auto ends = [](const std::string& t, const std::string& e) {
      return t.size() >= e.size() && t.compare(t.size() - e.size(), e.size(), e) == 0;
    };
    return (s == Step::CreateTemp && ends(path, "valuta.dat.tmp-")) || (s == Step::Rename && ends(from, ".lev"));
  };
  DataFolder folder = OpenDataFolder(fs).folder;
  EXPECT_FALSE(ConvertDataFolder(failing, folder, today).status.ok());
  EXPECT_EQ(folder.currency, Currency::Leva);

  const std::set<std::string> left = Listing(dir.path());
  const EuroConversionResult again = ConvertDataFolder(fs, folder, today);
  for (const char* named : {"valuta.jrn", "employIB.dat.lev"}) {
    EXPECT_NE(again.refusal.find(named), std::string::npos) << again.refusal;
  }
  EXPECT_EQ(Listing(dir.path()), left);

  const FolderAtStart next = OpenDataFolder(fs);
  EXPECT_TRUE(next.restored);
  EXPECT_TRUE(next.status.ok()) << next.status.message();
  EXPECT_EQ(StateOnDisk(), "leva");
}

// A converted folder whose record is lost or says something else is never
// taken as euro nor converted again; it is offered its record back.
TEST_F(EuroConversion, ALostOrStrangeRecordIsOfferedBackNeverAConversion) {
  TakeBothStates();
  const struct {
    const char* record;  // nullptr: lost
    const char* told;    // in the message at start, if any
    const char* asked;   // in the question
  } rows[] = {{nullptr, nullptr, "липсва"}, {"USD\r\n", "USD", "повреден"}, {"", "празен", "повреден"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.record == nullptr ? "lost" : row.record);
    ResetLevaFolder();
    DataFolder converted = OpenDataFolder(fs).folder;
    ASSERT_TRUE(ConvertDataFolder(fs, converted, today).status.ok());
    if (row.record == nullptr) {
      std::filesystem::remove(dir.File(kCurrencyRecord));
    } else {
      WriteFileBytes(dir.File(kCurrencyRecord), row.record);
    }
    const std::set<std::string> before = Listing(dir.path());

    FolderAtStart at = OpenDataFolder(fs);
    EXPECT_EQ(at.folder.currency, Currency::Leva);
    EXPECT_EQ(at.recordProblem.empty(), row.told == nullptr);
    if (row.told != nullptr) {
      EXPECT_NE(at.recordProblem.find(Cp(row.told)), std::string::npos) << at.recordProblem;
      EXPECT_NE(at.recordProblem.find(kCurrencyRecord), std::string::npos) << at.recordProblem;
    }
    const EuroOffer offer = OfferFor(fs, at.folder, today);
    EXPECT_EQ(offer.kind, EuroOffer::Kind::RestoreRecord);
    EXPECT_NE(offer.text.find(Cp(row.asked)), std::string::npos) << offer.text;
    EXPECT_NE(offer.text.find("employIB.dat.lev"), std::string::npos) << offer.text;
    EXPECT_FALSE(ConvertDataFolder(fs, at.folder, today).refusal.empty());
    EXPECT_EQ(Listing(dir.path()), before);

    ASSERT_TRUE(RestoreEuroRecord(fs, at.folder, today).ok());
    EXPECT_EQ(at.folder.currency, Currency::Euro);
    EXPECT_EQ(StateOnDisk(), "euro");
  }
}

}  // namespace
}  // namespace zel
