#include "personnel/bank_readers.h"

#include <gtest/gtest.h>

#include <cctype>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/text.h"
#include "personnel/bank_files_support.h"
#include "personnel/request_files.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::BgIban;
using test::Mik;
using test::MikLines;
using test::Person;
using test::Record;

class BankReadersTest : public ::testing::Test {
protected:
  BankReadersTest() {
    reg.onModified = [this] { ++modifiedCalls; };
  }

  Status ReadData(const std::string& bytes) {
    test::WriteFileBytes(dir.File("bank.txt"), bytes);
    return ReadBankDataFile(SystemFileSystem(), reg, messages, "bank.txt");
  }
  Status ReadAccounts(const std::string& bytes) {
    test::WriteFileBytes(dir.File("acc.txt"), bytes);
    return ReadAccountFile(SystemFileSystem(), reg, messages, "acc.txt");
  }
  Status ReadIbans(const std::string& bytes) {
    test::WriteFileBytes(dir.File("iban.txt"), bytes);
    return ReadIbanFile(SystemFileSystem(), reg, messages, "iban.txt");
  }
  void Add(const std::string& egn, const std::string& account = "", const std::string& name = "Служител") {
    Person p;
    p.name = name;
    p.egn = egn;
    p.account = account;
    reg.Append(Record(p));
  }

  test::TempDir dir;
  test::FakeMessages messages;
  Register reg;
  int modifiedCalls = 0;
};

// A returned block in the bank's code page, with the given EGN and extra lines before ENDM.
std::string Block(const std::string& egn, std::initializer_list<std::string_view> extra = {}) {
  std::string out = MikLines({"ADDO == 1106", "(1.)  == 1", "(4.)  == Иван Петров Иванов", "(5.)  == И.П.Иванов",
                              "(6.)  == " + egn, "(7.)  == 5", "(9.)  == 01.01.1900"});
  for (std::string_view l : extra) out += Mik(l) + "\r\n";
  return out + MikLines({"(TO50.1.) == Фирма", "ENDM", ""});
}

// ---- Returned account-opening blocks ------------------------------------

TEST_F(BankReadersTest, BlockBecomesANewEmployeeWithItsFieldsInCodePage1251) {
  ASSERT_TRUE(ReadData(Block("8503124567",
                             {"(10.) == А", "(11.) == 123456789", "(12.) == 01.02.2010", "(13.) == МВР София",
                              "(18.) == Пловдив", "(19.) == ул. Шипка 5", "(46.) == 500", "(47.) == 10",
                              "(21.) == 1012345675", "(25.) == 1", "(28.) == ДА", "(29.) == 6", "(55.) == Фирма"}))
                  .ok());
  ASSERT_EQ(reg.size(), 1u);
  const EmployeeRecord& r = reg.at(0);
  EXPECT_EQ(r.FullName.str(), Cp("Иван Петров Иванов"));
  EXPECT_EQ(r.EGN.str(), "8503124567");
  EXPECT_EQ(r.BirthDate.str(), "12.03.1985");  // from the EGN, not from the "(9.)" line
  EXPECT_EQ(r.PassportSeries.str(), Cp("А"));
  EXPECT_EQ(r.PassportNo.str(), "123456789");
  EXPECT_EQ(r.IssueDate.str(), "01.02.2010");
  EXPECT_EQ(r.IssuedBy.str(), Cp("МВР София"));
  EXPECT_EQ(r.Town.str(), Cp("Пловдив"));
  EXPECT_EQ(r.Street.str(), Cp("ул. Шипка 5"));
  EXPECT_EQ(r.RequestedSum.str(), "500");
  EXPECT_EQ(r.MinBalance.str(), "10");
  EXPECT_EQ(r.Account.str(), "1012345675");
  EXPECT_TRUE(r.ShortName.empty());
  EXPECT_TRUE(r.Overdraft.empty());
  EXPECT_TRUE(r.LabourContract.empty());
  EXPECT_TRUE(r.IBAN.empty());
  EXPECT_EQ(r.HasLeft, 0);
  EXPECT_TRUE(reg.Modified());
  EXPECT_EQ(modifiedCalls, 1);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(BankReadersTest, BlockWithoutAccountLineLeavesAccountEmptyAndLaterKeysWin) {
  ASSERT_TRUE(ReadData("   " + Block("8503124567",
                                     {"  (18.) == Първи", "(18.) == Втори", "(99.) == x", "(18.)== липсва интервал"}))
                  .ok());
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_TRUE(reg.at(0).Account.empty());
  EXPECT_EQ(reg.at(0).Town.str(), Cp("Втори"));
}

TEST_F(BankReadersTest, RepeatedEgnInTheFileAddsOnceAndAsksOnce) {
  ASSERT_TRUE(ReadData(Block("8503124567") + Block("8503124567")).ok());
  EXPECT_EQ(reg.size(), 1u);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "ask");
  EXPECT_EQ(messages.log[0].caption, Cp("Грешка"));
  EXPECT_EQ(messages.log[0].text, Cp("Опит за повторно въвеждане на ЕГН 8503124567 ! Ще продължите ли?"));
  EXPECT_EQ(messages.icons[0], Messages::Icon::Error);
}

TEST_F(BankReadersTest, EgnAlreadyHeldIsRepeatedEvenForTheRecordUnderEdit) {
  Add("8503124567");
  reg.SetEditIndex(0);
  ASSERT_TRUE(ReadData(Block("8503124567")).ok());
  EXPECT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg.EditIndex(), -1);
  EXPECT_EQ(messages.log.size(), 1u);
  EXPECT_FALSE(reg.Modified());
}

TEST_F(BankReadersTest, InvalidEgnIsQuotedAsDeliveredAndNotAdded) {
  // Nine digits, letters, and an over-long number that cutting would turn into a valid one.
  ASSERT_TRUE(ReadData(Block("850312456") + Block("85031245AB") + Block("850312456789")).ok());
  EXPECT_TRUE(reg.empty());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{Cp("ЕГН \"850312456\" не е валидно ! Ще продължите ли?"),
                                                        Cp("ЕГН \"85031245AB\" не е валидно ! Ще продължите ли?"),
                                                        Cp("ЕГН \"850312456789\" не е валидно ! Ще продължите ли?")}));
  EXPECT_FALSE(reg.Modified());
}

TEST_F(BankReadersTest, CancelStopsAfterTheCurrentBlockAndKeepsWhatWasAdded) {
  messages.answers = {true, false};
  ASSERT_TRUE(
      ReadData(Block("8503124567") + Block("123") + Block("8503124568") + Block("456") + Block("8503124569")).ok());
  ASSERT_EQ(reg.size(), 2u);
  EXPECT_EQ(reg.at(0).EGN.str(), "8503124567");
  EXPECT_EQ(reg.at(1).EGN.str(), "8503124568");
  EXPECT_EQ(messages.log.size(), 2u);
  EXPECT_TRUE(reg.Modified());
}

TEST_F(BankReadersTest, UnfinishedBlocksAddNothing) {
  // Cut off by the next block, then by the end of the file.
  const std::string cut = MikLines({"ADDO == 680", "(4.)  == Без Край", "(6.)  == 7001011234", "(21.) == 1000000001"});
  ASSERT_TRUE(ReadData(cut + Block("8503124567", {"(18.) == Русе"}) + cut).ok());
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg.at(0).FullName.str(), Cp("Иван Петров Иванов"));
  EXPECT_EQ(reg.at(0).Town.str(), Cp("Русе"));
  EXPECT_TRUE(reg.at(0).Account.empty());
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(BankReadersTest, LineEndsOfEveryKindAndALastLineWithoutEnd) {
  std::string block = Block("8503124567");
  std::string lf, cr;
  for (char c : block) {
    if (c == '\r') continue;
    lf += c;
    cr += c == '\n' ? '\r' : c;
  }
  lf.replace(lf.find("8503124567"), 10, "8503124568");
  cr.replace(cr.find("8503124567"), 10, "8503124569");
  std::string last = Block("8503124560");
  last.erase(last.rfind("ENDM") + 4);  // the file ends right after "ENDM"
  ASSERT_TRUE(ReadData(block + lf + cr + last).ok());
  ASSERT_EQ(reg.size(), 4u);
  EXPECT_EQ(reg.at(3).EGN.str(), "8503124560");
}

TEST_F(BankReadersTest, CtrlZEndsTheFile) {
  ASSERT_TRUE(ReadData(Block("8503124567") + "\x1A" + Block("8503124568")).ok());
  EXPECT_EQ(reg.size(), 1u);
}

TEST_F(BankReadersTest, OverlongValuesAreCutToTheirField) {
  const std::string longName(200, 'N');
  const std::string hugeStreet(100000, 'S');  // beyond what one line may hold
  ASSERT_TRUE(ReadData(Block("8503124567", {"(4.)  == " + longName, "(19.) == " + hugeStreet, "(21.) == 101234567599",
                                            "(10.) == АБВ"}))
                  .ok());
  ASSERT_EQ(reg.size(), 1u);
  EXPECT_EQ(reg.at(0).FullName.str(), std::string(60, 'N'));
  EXPECT_EQ(reg.at(0).Street.str(), std::string(50, 'S'));
  EXPECT_EQ(reg.at(0).Account.str(), "1012345675");
  EXPECT_EQ(reg.at(0).PassportSeries.str(), Cp("А"));
}

TEST_F(BankReadersTest, FileWithoutBlocksChangesNothing) {
  ASSERT_TRUE(ReadData("").ok());
  ASSERT_TRUE(ReadData("\r\n\r\nENDM\r\n(6.)  == 8503124567\r\nADDO =\r\n").ok());
  EXPECT_TRUE(reg.empty());
  EXPECT_FALSE(reg.Modified());
  EXPECT_EQ(modifiedCalls, 0);
}

TEST_F(BankReadersTest, MissingFileIsReportedWithItsFullPath) {
  Add("8503124567");
  for (const Status& s : {ReadBankDataFile(SystemFileSystem(), reg, messages, "none.txt"),
                          ReadAccountFile(SystemFileSystem(), reg, messages, "none.txt"),
                          ReadIbanFile(SystemFileSystem(), reg, messages, "none.txt")}) {
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find(dir.File("none.txt")), std::string::npos) << s.message();
  }
  EXPECT_EQ(reg.size(), 1u);
  EXPECT_FALSE(reg.Modified());
}

// ---- Account lists ------------------------------------------------------

TEST_F(BankReadersTest, AccountLineSetsEveryEmployeeWithThatEgn) {
  Add("8503124567");
  Add("7001011234");
  Add("8503124567", "1000000001");
  ASSERT_TRUE(ReadAccounts("8503124567   1012345675\r\n").ok());
  EXPECT_EQ(reg.at(0).Account.str(), "1012345675");
  EXPECT_TRUE(reg.at(1).Account.empty());
  EXPECT_EQ(reg.at(2).Account.str(), "1012345675");
  EXPECT_TRUE(reg.Modified());
  EXPECT_EQ(modifiedCalls, 1);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(BankReadersTest, WrongAccountsAreNamedAndReadingGoesOn) {
  Add("8503124567");
  Add("7001011234");
  const std::string lines =
      "8503124567 2012345678\r\n"  // not a "10" account
      "8503124567 1012345676\r\n"  // wrong check digit
      "8503124567 10123A5675\r\n"  // not digits
      "8503124567 101234567\r\n"   // nine characters: skipped silently
      "850312456 1012345675\r\n"   // nine-character EGN: skipped silently
      "8503124567\r\n"             // no account: skipped silently
      "\r\n"
      "\t 7001011234   1012345675 x\t\r\n"
      "9999999999 1012345675";  // nobody has it; no line end
  ASSERT_TRUE(ReadAccounts(lines).ok());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{Cp("2012345678 не е валидна сметка за ЕГН:8503124567!"),
                                                        Cp("1012345676 не е валидна сметка за ЕГН:8503124567!"),
                                                        Cp("10123A5675 не е валидна сметка за ЕГН:8503124567!")}));
  for (const auto& e : messages.log) EXPECT_EQ(e.kind, "show");
  EXPECT_TRUE(reg.at(0).Account.empty());
  EXPECT_EQ(reg.at(1).Account.str(), "1012345675");
}

TEST_F(BankReadersTest, AccountLineWithoutMatchChangesNothing) {
  Add("8503124567");
  reg.SetEditIndex(0);
  ASSERT_TRUE(ReadAccounts("7001011234 1012345675\n").ok());
  EXPECT_FALSE(reg.Modified());
  EXPECT_TRUE(reg.at(0).Account.empty());
  EXPECT_EQ(reg.EditIndex(), -1);
}

TEST_F(BankReadersTest, LastAccountLineWithoutLineEndIsRead) {
  Add("8503124567");
  ASSERT_TRUE(ReadAccounts("8503124567 1012345675").ok());
  EXPECT_EQ(reg.at(0).Account.str(), "1012345675");
}

// ---- IBAN lists ---------------------------------------------------------

TEST_F(BankReadersTest, IbanLineSetsEveryEmployeeWithThatEgnAndAccount) {
  const std::string iban = BgIban("QRVA91501012345675");
  Add("8503124567", "1012345675");
  Add("8503124567", "1000000001");
  Add("8503124567", "1012345675");
  ASSERT_TRUE(ReadIbans("8503124567 1012345675 " + iban + "\r\n").ok());
  EXPECT_EQ(reg.at(0).IBAN.str(), iban);
  EXPECT_TRUE(reg.at(1).IBAN.empty());
  EXPECT_EQ(reg.at(2).IBAN.str(), iban);
  EXPECT_TRUE(reg.Modified());
  EXPECT_TRUE(messages.log.empty());

  // A bank file with the IBAN in lower case: the register keeps it in capitals.
  std::string lower = iban;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  Add("7001011234", "1012345675");
  ASSERT_TRUE(ReadIbans("7001011234 1012345675 " + lower + "\r\n").ok());
  EXPECT_EQ(reg.at(3).IBAN.str(), iban);
}

TEST_F(BankReadersTest, IbanLinesThatAreWrongAreSkippedOrNamed) {
  const std::string iban = BgIban("QRVA91501012345675");
  std::string badCheck = iban;
  badCheck[3] = badCheck[3] == '9' ? '0' : static_cast<char>(badCheck[3] + 1);
  Add("8503124567", "1012345675");
  const std::string lines = "8503124567 1012345675 " + badCheck + "\r\n" +    // silently skipped
                            "8503124567 1012345675\r\n" +                     // no IBAN: skipped
                            "8503124567 2012345678 " + iban + "\r\n" +        // named
                            "8503124567 1012345675 NL91ABNA0417164300\r\n" +  // valid but 18 long: named
                            "8503124567 1000000002 " + iban + "\r\n" +        // other account: nothing
                            "850312456 1012345675 " + iban;                   // short EGN: skipped
  ASSERT_TRUE(ReadIbans(lines).ok());
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{Cp("2012345678 не е валидна сметка или IBAN за ЕГН:8503124567!"),
                                      Cp("1012345675 не е валидна сметка или IBAN за ЕГН:8503124567!")}));
  EXPECT_TRUE(reg.at(0).IBAN.empty());
  EXPECT_FALSE(reg.Modified());
}

TEST_F(BankReadersTest, LookupsStayRightAfterEmployeesWereAddedFromTheBank) {
  Add("7001011234", "1000000001");
  ASSERT_TRUE(ReadAccounts("7001011234 1012345675\r\n").ok());  // the EGN index is built here
  ASSERT_TRUE(ReadData(Block("8503124567")).ok());
  ASSERT_TRUE(ReadAccounts("8503124567 1012345675\r\n").ok());
  ASSERT_EQ(reg.size(), 2u);
  EXPECT_EQ(reg.at(1).Account.str(), "1012345675");
}

// ---- The road of a new employee's account -------------------------------

// The bank's side: opens an account for every block of the request and
// returns the blocks with it, a list of accounts and a list of IBANs.
struct Bank {
  std::string returnedBlocks, accountList, ibanList;
  std::vector<std::string> accounts = {"1012345675", "1000000002", "1000000018"};
  std::size_t opened = 0;

  void Answer(const std::string& request) {
    std::string egn;
    std::size_t pos = 0;
    while (pos < request.size()) {
      const std::size_t end = request.find("\r\n", pos);
      const std::string line = request.substr(pos, end - pos);
      pos = end + 2;
      if (line.starts_with("(6.)  == ")) egn = line.substr(9);
      if (line == "ENDM") {
        const std::string& account = accounts.at(opened++);
        const std::string iban = BgIban("QRVA9150" + account);
        returnedBlocks += "(21.) == " + account + "\r\n";
        accountList += egn + " " + account + "\r\n";
        ibanList += egn + "  " + account + "  " + iban + "\r\n";
      }
      returnedBlocks += line + "\r\n";
    }
  }
};

TEST(BankRoundTrip, RequestedAccountsAndIbansComeBackIntoTheRegister) {
  test::TempDir dir;
  test::FakeSettingsStore settings;
  settings.keyExists = true;
  settings.values["ClientName"] = Cp("Фирма ООД");
  settings.values["CodeBUS"] = "15091501";
  test::FakeMessages messages;

  Person ivan;
  ivan = {"Иван Петров Иванов", "8503124567", "12.03.1985", "А", "123456789", "01.02.2010", "МВР Русе", "Русе",
          "ул. Борисова 1",     "800",        "20",         "",  "",          "",           ""};
  Person maria = ivan;
  maria.name = "Мария Георгиева";
  maria.egn = "0245101234";  // born in 2002
  maria.birth = "10.05.2002";
  Person settled = ivan;
  settled.egn = "7001011234";
  settled.account = "1012345675";
  Register office;
  office.Append(Record(ivan));
  office.Append(Record(settled));
  office.Append(Record(maria));

  ASSERT_TRUE(WriteAccountOpeningRequests(SystemFileSystem(), office, settings, messages, "request.txt").ok());
  Bank bank;
  bank.Answer(test::ReadFileBytes(dir.File("request.txt")));
  ASSERT_EQ(bank.opened, 2u);
  test::WriteFileBytes(dir.File("returned.txt"), bank.returnedBlocks);
  test::WriteFileBytes(dir.File("accounts.txt"), bank.accountList);
  test::WriteFileBytes(dir.File("ibans.txt"), bank.ibanList);

  // A register that starts from the returned blocks ...
  Register branch;
  ASSERT_TRUE(ReadBankDataFile(SystemFileSystem(), branch, messages, "returned.txt").ok());
  ASSERT_TRUE(ReadIbanFile(SystemFileSystem(), branch, messages, "ibans.txt").ok());
  // ... and the register that asked, taking the lists.
  ASSERT_TRUE(ReadAccountFile(SystemFileSystem(), office, messages, "accounts.txt").ok());
  ASSERT_TRUE(ReadIbanFile(SystemFileSystem(), office, messages, "ibans.txt").ok());
  EXPECT_TRUE(messages.log.empty());
  EXPECT_TRUE(branch.Modified());
  EXPECT_TRUE(office.Modified());

  ASSERT_EQ(branch.size(), 2u);
  const EmployeeRecord* asked[] = {&office.at(0), &office.at(2)};
  for (std::size_t i = 0; i < 2; ++i) {
    const EmployeeRecord& got = branch.at(i);
    const EmployeeRecord& want = *asked[i];
    EXPECT_EQ(got.FullName.str(), want.FullName.str());
    EXPECT_EQ(got.EGN.str(), want.EGN.str());
    EXPECT_EQ(got.BirthDate.str(), want.BirthDate.str());
    EXPECT_EQ(got.PassportSeries.str(), want.PassportSeries.str());
    EXPECT_EQ(got.PassportNo.str(), want.PassportNo.str());
    EXPECT_EQ(got.IssueDate.str(), want.IssueDate.str());
    EXPECT_EQ(got.IssuedBy.str(), want.IssuedBy.str());
    EXPECT_EQ(got.Town.str(), want.Town.str());
    EXPECT_EQ(got.Street.str(), want.Street.str());
    EXPECT_EQ(got.RequestedSum.str(), want.RequestedSum.str());
    EXPECT_EQ(got.MinBalance.str(), want.MinBalance.str());
    EXPECT_EQ(got.Account.str(), bank.accounts[i]);
    EXPECT_EQ(want.Account.str(), bank.accounts[i]);
    EXPECT_EQ(got.IBAN.str(), BgIban("QRVA9150" + bank.accounts[i]));
    EXPECT_EQ(want.IBAN.str(), got.IBAN.str());
  }
  EXPECT_EQ(office.at(1).Account.str(), "1012345675");
  EXPECT_TRUE(office.at(1).IBAN.empty());  // same account, other EGN
}

}  // namespace
}  // namespace zel
