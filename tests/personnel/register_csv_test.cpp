#include "personnel/register_csv.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"

namespace zel {
namespace {

TEST(RegisterCsv, EveryFieldOfTheDialogUnderItsLabelAmountsWithADecimalComma) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = Cp("Иван Петров Иванов");
  r.EGN = "0541150000";
  r.BirthDate = "15.01.2005";
  r.PassportSeries = Cp("А");
  r.PassportNo = "123456789";
  r.IssueDate = "01.02.2020";
  r.IssuedBy = Cp("МВР София");
  r.Town = Cp("София");
  r.Street = Cp("ул. Шипка 5; ет. 2");
  r.MinBalance = "1.02";
  r.Account = "1000000001";
  r.Overdraft = "250";
  r.LabourContract = "-12/2020";
  r.HasLeft = 1;
  r.IBAN = "BG80BNBG96611020345678";
  Register list;
  list.SetCurrency(Currency::Euro);
  list.Append(r);
  EXPECT_EQ(RegisterCsv(list),
            "\xEF\xBB\xBF"
            "име на титуляра;ЕГН;дата на раждане;серия на паспорта;номер на паспорт/лична карта;"
            "дата на издаване на паспорт/ лична карта;паспорт/лична карта издаден от;адрес - населено място;"
            "\"адрес - Улица, номер\";заявена сума (ЕДК) (EUR);минимален остатък (EUR);сметка (ЕДК);Овърдрафт (EUR);"
            "Трудов договор(N/дата);IBAN сметка;напуснал\r\n"
            "Иван Петров Иванов;0541150000;15.01.2005;А;123456789;01.02.2020;МВР София;София;"
            "\"ул. Шипка 5; ет. 2\";;1,02;1000000001;250;'-12/2020;BG80BNBG96611020345678;да\r\n");
}

}  // namespace
}  // namespace zel
