#include "personnel/employee_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "personnel/register.h"

namespace zel {
namespace {

const UniqueTest kUnique = [](std::string_view) { return true; };
const UniqueTest kTaken = [](std::string_view) { return false; };

EmployeeFields ValidInput() {
  EmployeeFields f;
  f.texts = {Cp("Иван Петров Иванов"),
             "8002151234",
             "15.02.1980",
             "",
             "123456789",
             "01.01.2010",
             Cp("МВР София"),
             Cp("София"),
             Cp("ул. Шипка 1"),
             "802.00",
             "2.00",
             "",
             "",
             "",
             ""};
  return f;
}

// The check's outcome and the texts as the dialog then shows them.
struct Checked : EmployeeCheck {
  EmployeeFields fields;
};
Checked Check(EmployeeFields f, Currency currency = Currency::Leva) {
  Checked r;
  static_cast<EmployeeCheck&>(r) = CheckEmployeeInput(f, kUnique, kUnique, currency);
  r.fields = f;
  return r;
}

TEST(EmployeeForm, TableHasTheDialogsLengthsAndOnlyTheBirthDateReadOnly) {
  const std::vector<std::size_t> lengths = {60, 10, 10, 1, 9, 10, 20, 20, 50, 20, 20, 10, 20, 20, 22};
  const auto& table = EmployeeFieldTable();
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(static_cast<std::size_t>(table[i].maxLength), lengths[i]);
    EXPECT_EQ(table[i].editable, i != kFieldBirthDate);
  }
  EXPECT_EQ(table[kFieldIssueDate].label, Cp("дата на издаване на паспорт/ лична карта"));
  EXPECT_EQ(EmployeeLeftCaption(), Cp("напуснал"));
}

TEST(EmployeeForm, NewRecordShowsEmptyFieldsExceptTheTwoAmounts) {
  EXPECT_EQ(LoadEmployeeFields(ZeroEmployeeRecord(), Currency::Euro).texts[kFieldRequestedSum], "410.06");
  EXPECT_EQ(LoadEmployeeFields(ZeroEmployeeRecord(), Currency::Euro).texts[kFieldMinBalance], "1.02");
  const EmployeeFields f = LoadEmployeeFields(ZeroEmployeeRecord(), Currency::Leva);
  for (std::size_t i = 0; i < kEmployeeFieldCount; ++i) {
    SCOPED_TRACE(i);
    if (i == kFieldRequestedSum) {
      EXPECT_EQ(f.texts[i], "802.00");
    } else if (i == kFieldMinBalance) {
      EXPECT_EQ(f.texts[i], "2.00");
    } else {
      EXPECT_EQ(f.texts[i], "");
    }
  }
  EXPECT_FALSE(f.hasLeft);

  const Checked r = Check(f);
  EXPECT_FALSE(r.valid);
  EXPECT_EQ(r.field, kFieldFullName);
  EXPECT_EQ(r.message, Cp("име на титуляра не е попълнено !"));
}

TEST(EmployeeForm, LoadShowsStoredTextsAndLeftFlag) {
  EmployeeRecord rec = ZeroEmployeeRecord();
  rec.EGN = "7503158765";
  rec.BirthDate = "15.03.1975";
  rec.RequestedSum = "1500";
  rec.MinBalance = "5";
  rec.IBAN = "BG80BNBG96611020345678";
  rec.HasLeft = 7;  // any non-zero byte ticks the box
  const EmployeeFields f = LoadEmployeeFields(rec, Currency::Leva);
  EXPECT_EQ(f.texts[kFieldEgn], "7503158765");
  EXPECT_EQ(f.texts[kFieldBirthDate], "15.03.1975");
  EXPECT_EQ(f.texts[kFieldRequestedSum], "1500");
  EXPECT_EQ(f.texts[kFieldMinBalance], "5");
  EXPECT_EQ(f.texts[kFieldIban], "BG80BNBG96611020345678");
  EXPECT_TRUE(f.hasLeft);
}

TEST(EmployeeForm, BirthDateFollowsTheEgnFromItsSixthCharacter) {
  EXPECT_EQ(BirthDateForEgnText("80021", "old"), "old");
  EXPECT_EQ(BirthDateForEgnText("", "01.01.1970"), "01.01.1970");
  EXPECT_EQ(BirthDateForEgnText("800215", "old"), "15.02.1980");
  EXPECT_EQ(BirthDateForEgnText("8002151234", ""), "15.02.1980");
  // Born in the 2000s: the month digits carry the century.
  EXPECT_EQ(BirthDateForEgnText("0542150000", ""), "15.02.2005");
}

struct StepCase {
  const char* what;
  int field;
  const char* text;         // UTF-8; the one change from a valid input
  int focus;                // expected offending field, -1 for valid
  const char* messageUtf8;  // expected message
};

TEST(EmployeeForm, EachCheckNamesItsFieldAndMessage) {
  const std::vector<StepCase> cases = {
      {"name missing", kFieldFullName, "", kFieldFullName, "име на титуляра не е попълнено !"},
      {"egn missing", kFieldEgn, "", kFieldEgn, "ЕГН не е попълнено !"},
      {"number missing", kFieldPassportNo, "", kFieldPassportNo, "номер на паспорт/лична карта не е попълнено !"},
      {"issue date missing", kFieldIssueDate, "", kFieldIssueDate,
       "дата на издаване на паспорт/ лична карта не е попълнено !"},
      {"issuer missing", kFieldIssuedBy, "", kFieldIssuedBy, "паспорт/лична карта издаден от не е попълнено !"},
      {"town missing", kFieldTown, "", kFieldTown, "адрес - населено място не е попълнено !"},
      {"street missing", kFieldStreet, "", kFieldStreet, "адрес - Улица, номер не е попълнено !"},
      {"sum missing", kFieldRequestedSum, "", kFieldRequestedSum, "заявена сума (ЕДК) не е попълнено !"},
      {"balance missing", kFieldMinBalance, "", kFieldMinBalance, "минимален остатък не е попълнено !"},
      {"name of two words", kFieldFullName, "Иван Петров", kFieldFullName, "име на титуляра не е валидно !"},
      {"name in Latin", kFieldFullName, "Ivan Petrov Ivanov", kFieldFullName, "име на титуляра не е валидно !"},
      {"name with digit", kFieldFullName, "Иван Петров Иванов2", kFieldFullName, "име на титуляра не е валидно !"},
      {"name with hyphen", kFieldFullName, "Иван Петров Иванова-Колева", kFieldFullName,
       "име на титуляра не е валидно !"},
      {"name with two blanks", kFieldFullName, "Иван  Петров", -1, ""},
      {"egn of nine digits", kFieldEgn, "800215123", kFieldEgn, "ЕГН не е валидно !"},
      {"egn with letter", kFieldEgn, "80021512a4", kFieldEgn, "ЕГН не е валидно !"},
      {"birth date month 13", kFieldBirthDate, "15.13.1980", kFieldEgn, "дата на раждане не е валидна !"},
      {"birth date empty", kFieldBirthDate, "", kFieldEgn, "дата на раждане не е валидна !"},
      {"birth date short", kFieldBirthDate, "15.2.1980", kFieldEgn, "дата на раждане не е валидна !"},
      {"seven-char number, no series", kFieldPassportNo, "1234567", kFieldPassportSeries,
       "серия на паспорта не е валидна !"},
      {"eight-char number", kFieldPassportNo, "12345678", kFieldPassportNo,
       "номер на паспорт/лична карта не е валидeн !"},
      {"issue date 31 April", kFieldIssueDate, "31.04.2005", kFieldIssueDate,
       "дата на издаване на паспорт/ лична карта не е валидна !"},
      {"issue date other separators", kFieldIssueDate, "01/01-2010", -1, ""},
      {"sum below 10", kFieldRequestedSum, "9.99", kFieldRequestedSum, "заявена сума (ЕДК) не е валидна !"},
      {"sum with comma", kFieldRequestedSum, "1,000.00", kFieldRequestedSum, "заявена сума (ЕДК) не е валидна !"},
      {"sum of 10", kFieldRequestedSum, "10", -1, ""},
      {"balance below 2", kFieldMinBalance, "1.5", kFieldMinBalance, "минимален остатък не е валиден !"},
      {"overdraft below 1", kFieldOverdraft, "0.5", kFieldOverdraft, "Стойността на  Овърдрафт не е валидна !"},
      {"overdraft of 1", kFieldOverdraft, "1", -1, ""},
      {"iban check digits", kFieldIban, "BG81BNBG96611020345678", kFieldIban, "IBAN сметка не е валидна !"},
      {"iban of 21 chars", kFieldIban, "BG80BNBG9661102034567", kFieldIban, "IBAN сметка не е валидна !"},
      {"iban valid", kFieldIban, "BG80BNBG96611020345678", -1, ""},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    EmployeeFields f = ValidInput();
    f.texts[static_cast<std::size_t>(c.field)] = Cp(c.text);
    const Checked r = Check(f);
    EXPECT_EQ(r.valid, c.focus < 0);
    if (c.focus >= 0) {
      EXPECT_EQ(r.field, c.focus);
    }
    EXPECT_EQ(r.message, Cp(c.messageUtf8));
  }
}

// In euro the minimums are the leva ones converted: each amount at its
// minimum passes, a cent less does not.
TEST(EmployeeForm, EuroMinimums) {
  struct Case {
    EmployeeField field;
    const char* minimum;
    const char* centLess;
  };
  for (const Case& c : {Case{kFieldRequestedSum, "5.11", "5.10"}, Case{kFieldMinBalance, "1.02", "1.01"},
                        Case{kFieldOverdraft, "0.51", "0.50"}}) {
    EmployeeFields f = ValidInput();
    f.texts[c.field] = c.minimum;
    EXPECT_TRUE(Check(f, Currency::Euro).valid) << c.minimum;
    EXPECT_FALSE(Check(f, Currency::Leva).valid) << c.minimum;
    f.texts[c.field] = c.centLess;
    EXPECT_EQ(Check(f, Currency::Euro).field, c.field) << c.centLess;
  }
}

TEST(EmployeeForm, MessagesKeepTheirOddBytes) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldPassportNo] = "12345678";
  const std::string number = Check(f).message;
  EXPECT_NE(number.find("\xE2\xE0\xEB\xE8\xE4"
                        "e\xED"),
            std::string::npos);  // "валид", Latin e, "н"

  f = ValidInput();
  f.texts[kFieldOverdraft] = "abc";
  EXPECT_EQ(Check(f).message.rfind(Cp("Стойността на  Овърдрафт"), 0), 0u);
}

TEST(EmployeeForm, PassportSeriesOnlyMattersForSevenCharacterNumbers) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldPassportNo] = "1234567";
  f.texts[kFieldPassportSeries] = "A";  // Latin
  EXPECT_EQ(Check(f).field, kFieldPassportSeries);
  f.texts[kFieldPassportSeries] = Cp("А");  // Cyrillic
  EXPECT_TRUE(Check(f).valid);
  f.texts[kFieldPassportSeries] = " ";
  EXPECT_TRUE(Check(f).valid);

  f.texts[kFieldPassportNo] = "12345678Z";
  f.texts[kFieldPassportSeries] = "Z";
  EXPECT_TRUE(Check(f).valid);
}

TEST(EmployeeForm, RequiredFieldsAreCheckedInOrder) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldMinBalance] = "";
  f.texts[kFieldTown] = "";
  f.texts[kFieldEgn] = "1";  // invalid, but the later empty fields come first
  EXPECT_EQ(Check(f).field, kFieldTown);
}

TEST(EmployeeForm, DuplicatesAreReportedAsRepeatedEntry) {
  EmployeeFields f = ValidInput();
  EmployeeCheck r = CheckEmployeeInput(f, kTaken, kUnique, Currency::Leva);
  EXPECT_EQ(r.field, kFieldEgn);
  EXPECT_EQ(r.message, Cp("Опит за повторно въвеждане на ЕГН !"));

  f.texts[kFieldIban] = "BG80BNBG96611020345678";
  r = CheckEmployeeInput(f, kUnique, kTaken, Currency::Leva);
  EXPECT_EQ(r.field, kFieldIban);
  EXPECT_EQ(r.message, Cp("Опит за повторно въвеждане на IBAN сметка !"));

  // Kept in capitals, so a repeat typed in lower case is a repeat too.
  f.texts[kFieldIban] = "bg80bnbg96611020345678";
  std::string looked;
  r = CheckEmployeeInput(
      f, kUnique,
      [&looked](std::string_view iban) {
        looked = std::string(iban);
        return false;
      },
      Currency::Leva);
  EXPECT_EQ(looked, "BG80BNBG96611020345678");
  EXPECT_EQ(f.texts[kFieldIban], "BG80BNBG96611020345678");
  EXPECT_EQ(r.field, kFieldIban);

  // An empty IBAN is never looked up.
  f.texts[kFieldIban] = "";
  EXPECT_TRUE(CheckEmployeeInput(f, kUnique, kTaken, Currency::Leva).valid);
}

TEST(EmployeeForm, UniquenessAgainstTheRegisterSkipsTheRecordUnderEdit) {
  Register list;
  EmployeeRecord other = ZeroEmployeeRecord();
  StoreEmployeeFields(ValidInput(), other);
  other.IBAN = "BG80BNBG96611020345678";
  list.Append(other);

  EmployeeFields f = ValidInput();
  f.texts[kFieldIban] = "BG80BNBG96611020345678";
  list.SetEditIndex(0);  // editing that very employee
  EXPECT_TRUE(CheckEmployeeInput(f, list).valid);

  list.SetEditIndex(-1);  // a new employee with the same EGN
  EXPECT_EQ(CheckEmployeeInput(f, list).message, Cp("Опит за повторно въвеждане на ЕГН !"));

  f.texts[kFieldEgn] = "7503158765";
  f.texts[kFieldBirthDate] = "15.03.1975";
  EXPECT_EQ(CheckEmployeeInput(f, list).message, Cp("Опит за повторно въвеждане на IBAN сметка !"));

  // An older register may hold the IBAN in lower case: still the same IBAN.
  other.IBAN = "bg80bnbg96611020345678";
  Register older;
  older.Append(other);
  EXPECT_EQ(CheckEmployeeInput(f, older).message, Cp("Опит за повторно въвеждане на IBAN сметка !"));
}

TEST(EmployeeForm, EgnOfTheTwoThousandsGivesAValidBirthDate) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldEgn] = "0542150000";
  f.texts[kFieldBirthDate] = BirthDateForEgnText(f.texts[kFieldEgn], f.texts[kFieldBirthDate]);
  EXPECT_TRUE(Check(f).valid);

  f.texts[kFieldEgn] = "0513150000";
  f.texts[kFieldBirthDate] = BirthDateForEgnText(f.texts[kFieldEgn], f.texts[kFieldBirthDate]);
  const Checked r = Check(f);
  EXPECT_EQ(r.field, kFieldEgn);
  EXPECT_EQ(r.message, Cp("дата на раждане не е валидна !"));
}

TEST(EmployeeForm, ValidationChangesShowEvenWhenItFails) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldFullName] = Cp("  Иван Петров Иванов  ");
  f.texts[kFieldBirthDate] = "15/02/1980";
  f.texts[kFieldIssueDate] = "01-01-2010";
  f.texts[kFieldMinBalance] = "1";
  const Checked r = Check(f);
  EXPECT_EQ(r.field, kFieldMinBalance);
  EXPECT_EQ(r.fields.texts[kFieldFullName], Cp("Иван Петров Иванов"));
  EXPECT_EQ(r.fields.texts[kFieldBirthDate], "15.02.1980");
  EXPECT_EQ(r.fields.texts[kFieldIssueDate], "01.01.2010");
  EXPECT_EQ(r.fields.texts[kFieldMinBalance], "1");
}

TEST(EmployeeForm, LaterFieldsStayAsTypedWhenAnEarlierCheckFails) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldFullName] = Cp(" Иван Петров ");
  f.texts[kFieldBirthDate] = "15/02/1980";
  f.texts[kFieldIssueDate] = "01-01-2010";
  const Checked r = Check(f);
  EXPECT_EQ(r.field, kFieldFullName);
  EXPECT_EQ(r.fields.texts[kFieldFullName], Cp("Иван Петров"));
  EXPECT_EQ(r.fields.texts[kFieldBirthDate], "15/02/1980");
  EXPECT_EQ(r.fields.texts[kFieldIssueDate], "01-01-2010");
}

TEST(EmployeeForm, StoreWritesEveryFieldShortNameAndLeftFlag) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldAccount] = "1012345675";
  f.texts[kFieldLabourContract] = "N12/01.01.2010";
  f.texts[kFieldIban] = "BG80BNBG96611020345678";
  f.hasLeft = true;
  EmployeeRecord rec = ZeroEmployeeRecord();
  StoreEmployeeFields(f, rec);
  EXPECT_EQ(rec.ShortName.str(), Cp("И.П.Иванов"));
  EXPECT_EQ(rec.HasLeft, 1);
  EXPECT_EQ(rec.Account.str(), "1012345675");
  EXPECT_EQ(rec.LabourContract.str(), "N12/01.01.2010");
  EXPECT_EQ(LoadEmployeeFields(rec, Currency::Leva).texts, f.texts);

  f.hasLeft = false;
  StoreEmployeeFields(f, rec);
  EXPECT_EQ(rec.HasLeft, 0);
}

TEST(EmployeeForm, StoreCutsTextsToCapacity) {
  EmployeeFields f = ValidInput();
  f.texts[kFieldFullName] = Cp("Иван Петров ") + std::string(60, '\xE0');
  f.texts[kFieldPassportSeries] = Cp("АБ");
  f.texts[kFieldIban] = std::string(30, '1');
  EmployeeRecord rec = ZeroEmployeeRecord();
  StoreEmployeeFields(f, rec);
  EXPECT_EQ(rec.FullName.size(), 60u);
  EXPECT_EQ(rec.FullName.str(), f.texts[kFieldFullName].substr(0, 60));
  EXPECT_EQ(rec.ShortName.size(), 20u);  // initials plus a long third word, cut
  EXPECT_EQ(rec.ShortName.str(), Cp("И.П.") + std::string(16, '\xE0'));
  EXPECT_EQ(rec.PassportSeries.str(), Cp("А"));
  EXPECT_EQ(rec.IBAN.str(), std::string(22, '1'));
}

}  // namespace
}  // namespace zel
