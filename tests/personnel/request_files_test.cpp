#include "personnel/request_files.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "personnel/bank_files_support.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::MikLines;
using test::Person;
using test::Record;

Person Ivan() {
  Person p;
  p.name = "Име Презиме Фамилия";
  p.egn = "8503124567";
  p.birth = "12.03.1985";
  p.series = "А";
  p.passport = "123456789";
  p.issued = "01.02.2010";
  p.issuedBy = "МВР София";
  p.town = "София";
  p.street = "ул. Шипка 5 ";  // the stored text goes out whole, trailing blank included
  p.requested = "500";
  p.minBalance = "10";
  return p;
}

class RequestFilesTest : public ::testing::Test {
protected:
  RequestFilesTest() {
    settings.keyExists = true;
    settings.values["ClientName"] = Cp("Фирма ООД");
    settings.values["CodeBUS"] = "15091501";
    settings.values["IBANClientAcc"] = "BG80BNBG96611020345678";
  }

  std::string Written() { return test::ReadFileBytes(dir.File("req.txt")); }
  Status WriteOpening() { return WriteAccountOpeningRequests(fs, reg, settings, messages, "req.txt"); }
  Status WriteOverdraft() { return WriteOverdraftRequests(fs, reg, settings, "req.txt"); }

  test::TempDir dir;
  test::FailingFileSystem fs;
  test::FakeSettingsStore settings;
  test::FakeMessages messages;
  Register reg;
};

std::string IvanBlockFirstVariant() {
  return MikLines({"ADDO == 680",
                   "(1.)  == 1",
                   "(4.)  == Име Презиме Фамилия",
                   "(5.)  == И.П.Фамилия",
                   "(6.)  == 8503124567",
                   "(7.)  == 5",
                   "(9.)  == 12.03.1985",
                   "(10.) == А",
                   "(11.) == 123456789",
                   "(12.) == 01.02.2010",
                   "(13.) == МВР София",
                   "(14.) == 20",
                   "(18.) == София",
                   "(19.) == ул. Шипка 5 ",
                   "(25.) == 1",
                   "(28.) == ДА",
                   "(29.) == 6",
                   "(46.) == 500",
                   "(47.) == 10",
                   "(55.) == Фирма ООД",
                   "ENDM",
                   ""});
}

std::string IvanBlockSecondVariant() {
  return MikLines({"ADDO == 1106",
                   "(1.)  == 1",
                   "(4.)  == Име Презиме Фамилия",
                   "(5.)  == И.П.Фамилия",
                   "(6.)  == 8503124567",
                   "(7.)  == 5",
                   "(9.)  == 12.03.1985",
                   "(10.) == А",
                   "(11.) == 123456789",
                   "(12.) == 01.02.2010",
                   "(13.) == МВР София",
                   "(14.) == 20",
                   "(18.) == София",
                   "(19.) == ул. Шипка 5 ",
                   "(25.) == 1",
                   "(28.) == ДА",
                   "(46.) == 500",
                   "(47.) == 10",
                   "(TO50.1.) == Фирма ООД",
                   "ENDM",
                   ""});
}

TEST_F(RequestFilesTest, AccountOpeningWritesOneBlockPerEmployeeWithoutAccountWhoHasNotLeft) {
  Person withAccount = Ivan();
  withAccount.egn = "7001011234";
  withAccount.account = "1012345675";
  Person left = Ivan();
  left.egn = "7001015678";
  left.left = true;
  reg.Append(Record(withAccount));
  reg.Append(Record(left));
  reg.Append(Record(Ivan()));

  ASSERT_TRUE(WriteOpening().ok());
  EXPECT_EQ(Written(), IvanBlockFirstVariant());
  EXPECT_TRUE(messages.log.empty());
  EXPECT_FALSE(reg.Modified());
}

TEST_F(RequestFilesTest, AccountOpeningVariantFollowsTheFirstFourCharactersOfTheBankCode) {
  reg.Append(Record(Ivan()));
  for (const char* code : {"1509", "1509xyz"}) {
    settings.values["CodeBUS"] = code;
    ASSERT_TRUE(WriteOpening().ok());
    EXPECT_EQ(Written(), IvanBlockFirstVariant()) << code;
  }
  for (const char* code : {"1508", "150", "15", " 1509", "2509"}) {
    settings.values["CodeBUS"] = code;
    ASSERT_TRUE(WriteOpening().ok());
    EXPECT_EQ(Written(), IvanBlockSecondVariant()) << code;
  }
}

TEST_F(RequestFilesTest, AccountOpeningBlocksFollowListOrderAndShortNameIsComputedNow) {
  Person first = Ivan();
  Person second = Ivan();
  second.name = "Петър Иванов";
  second.egn = "9001011111";
  second.birth = "";
  second.series = "";
  EmployeeRecord secondRecord = Record(second);
  secondRecord.ShortName = Cp("стара стойност");
  reg.Append(Record(first));
  reg.Append(secondRecord);
  settings.values["CodeBUS"] = "9999";

  ASSERT_TRUE(WriteOpening().ok());
  const std::string secondBlock = MikLines({"ADDO == 1106",
                                            "(1.)  == 1",
                                            "(4.)  == Петър Иванов",
                                            "(5.)  == П.И.",
                                            "(6.)  == 9001011111",
                                            "(7.)  == 5",
                                            "(9.)  == ",
                                            "(10.) == ",
                                            "(11.) == 123456789",
                                            "(12.) == 01.02.2010",
                                            "(13.) == МВР София",
                                            "(14.) == 20",
                                            "(18.) == София",
                                            "(19.) == ул. Шипка 5 ",
                                            "(25.) == 1",
                                            "(28.) == ДА",
                                            "(46.) == 500",
                                            "(47.) == 10",
                                            "(TO50.1.) == Фирма ООД",
                                            "ENDM",
                                            ""});
  EXPECT_EQ(Written(), IvanBlockSecondVariant() + secondBlock);
}

TEST_F(RequestFilesTest, CyrillicIsLoweredBy64AndEverythingElseIsKept) {
  reg.Append(Record(Ivan()));
  ASSERT_TRUE(WriteOpening().ok());
  const std::string file = Written();
  for (char c : file) EXPECT_LT(static_cast<unsigned char>(c), 0xC0);
  // "И.П." of the short name: И is 0xC8 in code page 1251 and 0x88 in the file.
  EXPECT_NE(file.find("(5.)  == \x88.\x8F.", 0), std::string::npos);
  EXPECT_NE(file.find("(1.)  == 1\r\n"), std::string::npos);
}

TEST_F(RequestFilesTest, EmptyRegisterOrNobodySelectedGivesAnEmptyFile) {
  test::WriteFileBytes(dir.File("req.txt"), "old content");
  ASSERT_TRUE(WriteOpening().ok());
  EXPECT_TRUE(fs.Exists(dir.File("req.txt")));
  EXPECT_EQ(Written(), "");

  Person p = Ivan();
  p.account = "1012345675";
  reg.Append(Record(p));
  ASSERT_TRUE(WriteOverdraft().ok());
  EXPECT_EQ(Written(), "");
}

TEST_F(RequestFilesTest, MissingCompanyNameOrBankCodeIsSaidAndNoFileIsCreated) {
  reg.Append(Record(Ivan()));
  settings.values.erase("ClientName");
  ASSERT_TRUE(WriteOpening().ok());
  EXPECT_FALSE(fs.Exists(dir.File("req.txt")));
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "show");
  EXPECT_EQ(messages.log[0].text, Cp("Няма данни за името на компанията !"));

  settings.values["ClientName"] = "X";
  settings.values["CodeBUS"] = "";
  test::WriteFileBytes(dir.File("req.txt"), "kept");
  ASSERT_TRUE(WriteOpening().ok());
  EXPECT_EQ(Written(), "kept");
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_EQ(messages.log[1].text, Cp("Не е попълнен банков код на централа/клон !"));
}

TEST_F(RequestFilesTest, SettingsKeyThatNeverExistedIsNotCreated) {
  settings.keyExists = false;
  ASSERT_TRUE(WriteOpening().ok());
  EXPECT_FALSE(settings.keyExists);
  EXPECT_FALSE(fs.Exists(dir.File("req.txt")));

  ASSERT_TRUE(WriteOverdraft().ok());
  EXPECT_FALSE(settings.keyExists);
  EXPECT_TRUE(fs.Exists(dir.File("req.txt")));
}

Person OverdraftPerson(const std::string& egn, const std::string& overdraft) {
  Person p = Ivan();
  p.egn = egn;
  p.account = "1012345675";
  p.iban = "BG80BNBG96611020345678";
  p.overdraft = overdraft;
  p.contract = "Д-15/2020";
  return p;
}

std::string OverdraftBlock(const std::string& iban, const std::string& overdraft, const std::string& accountMiddle,
                           const std::string& contract, const std::string& companyIban) {
  return MikLines({"ADDO == 663",
                   "(1.) == <дата>",
                   "(2.) == <час>",
                   "(3.) == 8888",
                   "(TO4.3.) == " + iban,
                   "(6.) == " + overdraft,
                   "(8.) == " + overdraft,
                   "(9.) == НЕ",
                   "(11.) == 19",
                   "(12.) == ДА",
                   "(14.1.) == 36",
                   "(14.8.) == 1",
                   "(14.4.) == 0",
                   "(15.) == 8889",
                   "(18.) == 1",
                   "(19.) == 730",
                   "(20.) == 9",
                   "(21.) == " + iban,
                   "(23.) == 1",
                   "(TO24.5.) == " + accountMiddle,
                   "(25.) == 1",
                   "(31.) == <дата>",
                   "(32.) == НЕ",
                   "(35.) == " + contract,
                   "(38.) == " + companyIban,
                   "(46.) == НЕ",
                   "(48.) == А",
                   "ENDM",
                   ""});
}

TEST_F(RequestFilesTest, OverdraftBlocksOnlyForAtLeastOneWithIbanAndNotLeft) {
  reg.Append(Record(OverdraftPerson("1000000001", "")));
  reg.Append(Record(OverdraftPerson("1000000002", "abc")));
  reg.Append(Record(OverdraftPerson("1000000003", "0.99")));
  reg.Append(Record(OverdraftPerson("1000000004", "1")));
  reg.Append(Record(OverdraftPerson("1000000005", "500")));
  Person noIban = OverdraftPerson("1000000006", "500");
  noIban.iban = "";
  reg.Append(Record(noIban));
  Person left = OverdraftPerson("1000000007", "500");
  left.left = true;
  reg.Append(Record(left));

  ASSERT_TRUE(WriteOverdraft().ok());
  const std::string block1 =
      OverdraftBlock("BG80BNBG96611020345678", "1", "123456", "Д-15/2020", "BG80BNBG96611020345678");
  const std::string block500 =
      OverdraftBlock("BG80BNBG96611020345678", "500", "123456", "Д-15/2020", "BG80BNBG96611020345678");
  EXPECT_EQ(Written(), block1 + block500);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(RequestFilesTest, OverdraftAccountMiddleAndMissingCompanyIban) {
  Person noAccount = OverdraftPerson("1000000001", "300");
  noAccount.account = "";
  Person shortAccount = OverdraftPerson("1000000002", "300");
  shortAccount.account = "101";
  reg.Append(Record(noAccount));
  reg.Append(Record(shortAccount));
  settings.values.erase("IBANClientAcc");

  ASSERT_TRUE(WriteOverdraft().ok());
  const std::string expected = OverdraftBlock("BG80BNBG96611020345678", "300", "", "Д-15/2020", "") +
                               OverdraftBlock("BG80BNBG96611020345678", "300", "1", "Д-15/2020", "");
  EXPECT_EQ(Written(), expected);
  EXPECT_NE(Written().find("(TO24.5.) == \r\n"), std::string::npos);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(RequestFilesTest, RequestTypeChoosesTheWriter) {
  reg.Append(Record(OverdraftPerson("1000000001", "300")));
  Person noAccount = Ivan();
  reg.Append(Record(noAccount));
  ASSERT_TRUE(WriteRequestFileOfType(fs, RequestType::AccountOpening, reg, settings, messages, "req.txt").ok());
  EXPECT_EQ(Written(), IvanBlockFirstVariant());
  ASSERT_TRUE(WriteRequestFileOfType(fs, RequestType::Overdraft, reg, settings, messages, "req.txt").ok());
  EXPECT_EQ(Written().substr(0, 13), "ADDO == 663\r\n");
}

TEST_F(RequestFilesTest, FailedWriteLeavesThePreviousFileWholeAndNamesThePath) {
  reg.Append(Record(Ivan()));
  test::WriteFileBytes(dir.File("req.txt"), "previous");
  fs.fail = test::FailingFileSystem::Step::WriteTemp;
  const Status s = WriteOpening();
  fs.fail = test::FailingFileSystem::Step::None;
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find(dir.File("req.txt")), std::string::npos);
  EXPECT_EQ(Written(), "previous");

  const Status missingFolder = WriteOverdraftRequests(fs, reg, settings, "no/such/folder/req.txt");
  ASSERT_FALSE(missingFolder.ok());
  EXPECT_NE(missingFolder.message().find(dir.File("no/such/folder/req.txt")), std::string::npos);
}

}  // namespace
}  // namespace zel
