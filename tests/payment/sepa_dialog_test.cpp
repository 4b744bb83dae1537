#include "payment/sepa_dialog.h"

#include <gtest/gtest.h>

#include "common/calendar.h"
#include "common/cp1251.h"
#include "common/data_files.h"
#include "payment/test_lines.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel {
namespace {

SepaForm ValidForm() {
  SepaForm form;
  form[SepaField::PayerName] = "Torva OOD";
  form[SepaField::PayerIban] = test::kValidIban;
  form[SepaField::ExecutionDate] = "08.12.2026";
  return form;
}

// The checks in their order, each with its message and its field; the
// fields show what was checked (Latin name, capitals, "." in the date).
TEST(CheckSepaInput, InOrderWithTheNextWorkingDayNamed) {
  struct Row {
    SepaField field;
    const char* text;
    const char* message;  // empty: valid
    const char* shown;    // what the field then holds (nullptr: as typed)
  };
  const Row rows[] = {
      {SepaField::PayerName, "", "Наредител на латиница не е попълнено !", nullptr},
      {SepaField::PayerName, "„№“", "Наредител на латиница не е попълнено !", ""},
      {SepaField::PayerName, "Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев",
       "Наредител на латиница не е валиден !",
       "Shterev Shterev Shterev Shterev Shterev Shterev Shterev Shterev Shterev Shterev"},
      {SepaField::PayerName, "Торва  ООД", "", "Torva OOD"},
      {SepaField::PayerIban, " ", "IBAN на наредителя не е попълнено !", ""},
      {SepaField::PayerIban, "BG80BNBG9661102034567", "IBAN на наредителя не е валиден !", nullptr},
      {SepaField::PayerIban, "bg80bnbg96611020345678", "", "BG80BNBG96611020345678"},
      {SepaField::PayerBic, "BNBGDESF", "BIC на банката не е валиден !", nullptr},
      {SepaField::PayerBic, "BNBGBG1F", "BIC на банката не е валиден !", nullptr},
      {SepaField::PayerBic, "BNBGBGSFX", "BIC на банката не е валиден !", nullptr},
      {SepaField::PayerBic, "bnbgbgsf", "", "BNBGBGSF"},
      {SepaField::PayerBic, "BNBGBGSF001", "", nullptr},
      {SepaField::ExecutionDate, "", "Дата на изпълнение не е попълнено !", nullptr},
      {SepaField::ExecutionDate, "31/04/2026", "Дата на изпълнение не е валидна !", "31.04.2026"},
      {SepaField::ExecutionDate, "04.12.2026",
       "Дата на изпълнение 04.12.2026 е минал ден ! Следващият работен ден е 08.12.2026.", nullptr},
      {SepaField::ExecutionDate, "12-12-2026",
       "Дата на изпълнение 12.12.2026 не е работен ден ! Следващият работен ден е 14.12.2026.", "12.12.2026"},
      {SepaField::ExecutionDate, "25.12.2026",
       "Дата на изпълнение 25.12.2026 не е работен ден ! Следващият работен ден е 28.12.2026.", nullptr},
      {SepaField::ExecutionDate, "07.12.2026", "", nullptr},
  };
  const Date today = MakeDate(2026, 12, 7);
  for (const Row& row : rows) {
    SepaForm form = ValidForm();
    form[row.field] = Cp(row.text);
    // A field checked later that is wrong too: the earlier field's message comes first.
    if (row.field != SepaField::ExecutionDate) form[SepaField::ExecutionDate] = "1";
    const SepaInputCheck check = CheckSepaInput(form, today);
    const bool later = row.field != SepaField::ExecutionDate && *row.message == '\0';
    EXPECT_EQ(Cp1251ToUtf8(check.message), later ? "Дата на изпълнение не е валидна !" : row.message) << row.text;
    if (!check.valid) {
      EXPECT_EQ(check.field, later ? SepaField::ExecutionDate : row.field) << row.text;
    }
    EXPECT_EQ(Cp1251ToUtf8(form[row.field]), row.shown != nullptr ? row.shown : row.text) << row.text;
  }
}

// The count is saved before the file, so a number is never used twice; a
// count that cannot be read counts 0.
TEST(WriteSepaFile, CountFirstThenTheFile) {
  test::TempDir dir;
  EXPECT_EQ(ReadSepaCount(SystemFileSystem()), 0u);
  SepaFile file;
  file.number = 41;
  file.bytes = "<Document/>\n";
  ASSERT_TRUE(WriteSepaFile(SystemFileSystem(), file, dir.File("a.xml")).ok());
  EXPECT_EQ(test::ReadFileBytes(dir.File("a.xml")), file.bytes);
  EXPECT_EQ(ReadSepaCount(SystemFileSystem()), 41u);

  file.number = 42;
  test::FailingFileSystem failing(test::FailingFileSystem::Step::WriteTemp);
  EXPECT_FALSE(WriteSepaFile(failing, file, dir.File("b.xml")).ok());
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("b.xml")));
  EXPECT_EQ(ReadSepaCount(SystemFileSystem()), 41u);

  for (const char* garbled : {"", "x12", "-3", "1234567890", "\x01\x02"}) {
    test::WriteFileBytes(DataFile(kSepaCountFile), garbled);
    EXPECT_EQ(ReadSepaCount(SystemFileSystem()), 0u) << garbled;
  }
}

}  // namespace
}  // namespace zel
