#include "payment/payment_form.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/cp1251.h"
#include "payment/test_lines.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

PaymentFieldTexts ValidFields() { return LoadPaymentFields(MakeLine("Иван Петров", kValidIban, "100.00", "Заплата")); }

TEST(PaymentFormFields, LabelsLengthsAndEditableFlagsInDialogOrder) {
  const auto& t = PaymentFieldTable();
  const char* labels[] = {"име на титуляра",          "ЕГН",      "сметка (ЕДК)", "IBAN сметка", "Код по БУС",
                          "Чиста сума за получаване", "Основание"};
  const int lengths[] = {60, 10, 10, 22, 8, 20, 60};
  for (std::size_t i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].label, Cp(labels[i])) << i;
    EXPECT_EQ(t[i].maxLength, lengths[i]) << i;
    EXPECT_EQ(t[i].editable, i >= 5) << i;
  }
}

TEST(PaymentFormFields, LoadShowsEveryFieldOfTheLineWithoutDefaults) {
  PaymentLine line = MakeLine("Мария Иванова", kValidIban, "", "", "8002020020");
  line.BankCode.assign("62196214");
  const PaymentFieldTexts f = LoadPaymentFields(line);
  EXPECT_EQ(f[PaymentField::FullName], Cp("Мария Иванова"));
  EXPECT_EQ(f[PaymentField::EGN], "8002020020");
  EXPECT_EQ(f[PaymentField::Account], "1234567890");
  EXPECT_EQ(f[PaymentField::IBAN], kValidIban);
  EXPECT_EQ(f[PaymentField::BankCode], "62196214");
  EXPECT_EQ(f[PaymentField::NetAmount], "");
  EXPECT_EQ(f[PaymentField::Reason], "");
}

TEST(PaymentFormCheck, RequiredFieldsInOrderAmountReasonIban) {
  PaymentFieldTexts f = LoadPaymentFields(MakeLine("Иван", "", "", ""));
  PaymentInputCheck c = CheckPaymentInput(f, Currency::Leva);
  EXPECT_FALSE(c.valid);
  EXPECT_EQ(c.field, PaymentField::NetAmount);
  EXPECT_EQ(c.message, Cp("Чиста сума за получаване не е попълнено !"));

  f[PaymentField::NetAmount] = "100";
  c = CheckPaymentInput(f, Currency::Leva);
  EXPECT_EQ(c.field, PaymentField::Reason);
  EXPECT_EQ(c.message, Cp("Основание не е попълнено !"));

  f[PaymentField::Reason] = "   ";  // blanks alone fill nothing
  c = CheckPaymentInput(f, Currency::Leva);
  EXPECT_EQ(c.field, PaymentField::Reason);

  f[PaymentField::Reason] = Cp("Заплата");
  c = CheckPaymentInput(f, Currency::Leva);
  EXPECT_EQ(c.field, PaymentField::IBAN);
  EXPECT_EQ(c.message, Cp("IBAN сметка не е попълнено !"));
}

TEST(PaymentFormCheck, IbanMustBeTwentyTwoValidCharactersBeforeTheAmountIsLookedAt) {
  PaymentFieldTexts f = ValidFields();
  f[PaymentField::NetAmount] = "0";  // would fail too, but the IBAN comes first
  for (const std::string& iban : {kValidIban.substr(0, 21), std::string("BG81BNBG96611020345678")}) {
    f[PaymentField::IBAN] = iban;
    const PaymentInputCheck c = CheckPaymentInput(f, Currency::Leva);
    EXPECT_FALSE(c.valid);
    EXPECT_EQ(c.field, PaymentField::IBAN);
    EXPECT_EQ(c.message, Cp("IBAN сметка не е валиден !"));
  }
}

TEST(PaymentFormCheck, AmountBelowOneNotANumberOrTooLongIsRefused) {
  PaymentFieldTexts f = ValidFields();
  for (const char* amount : {"0.99", "0", "12,50", "-5", "abc", "1e17", "100000000000000000", "99999999999999999.99",
                             "1e300", "nan", "inf", "0x10"}) {
    f[PaymentField::NetAmount] = amount;
    const PaymentInputCheck c = CheckPaymentInput(f, Currency::Leva);
    EXPECT_FALSE(c.valid) << amount;
    EXPECT_EQ(c.field, PaymentField::NetAmount) << amount;
    EXPECT_EQ(c.message, Cp("Чиста сума за получаване не е валидна !")) << amount;
  }
  for (const char* amount : {"1", " 12.5 ", "1e3", "9999999999999998"}) {
    f[PaymentField::NetAmount] = amount;
    EXPECT_TRUE(CheckPaymentInput(f, Currency::Leva).valid) << amount;
  }
}

TEST(PaymentFormStore, AmountIsNormalisedToTwoDecimals) {
  const std::pair<const char*, const char*> cases[] = {
      {"1234.5", "1234.50"}, {"1000", "1000.00"}, {"  7.125 ", "7.13"},
      {"1e3", "1000.00"},    {"1", "1.00"},       {"9999999999999998", "9999999999999998.00"}};
  for (const auto& [typed, stored] : cases) {
    PaymentFieldTexts f = ValidFields();
    f[PaymentField::NetAmount] = typed;
    PaymentLine line = MakeLine("Иван Петров", kValidIban, "", "");
    ASSERT_TRUE(StorePaymentFields(f, line, Currency::Leva)) << typed;
    EXPECT_EQ(line.NetAmount.str(), stored) << typed;
  }
}

TEST(PaymentFormStore, WritesOnlyBankCodeAmountAndReason) {
  PaymentLine line = MakeLine("Иван Петров", kValidIban, "5.00", "стара");
  const PaymentLine before = line;
  PaymentFieldTexts f = LoadPaymentFields(line);
  f[PaymentField::FullName] = "X";
  f[PaymentField::EGN] = "0000000000";
  f[PaymentField::BankCode] = "123456789";  // one more than fits
  f[PaymentField::NetAmount] = "20";
  f[PaymentField::Reason] = std::string(60, 'r');
  ASSERT_TRUE(StorePaymentFields(f, line, Currency::Leva));
  EXPECT_EQ(line.BankCode.str(), "12345678");
  EXPECT_EQ(line.Reason.str(), std::string(60, 'r'));
  EXPECT_EQ(line.NetAmount.str(), "20.00");
  EXPECT_EQ(0, std::memcmp(&line.Employee, &before.Employee, sizeof line.Employee));
}

TEST(PaymentFormStore, AnAmountThatCannotBeHeldLeavesTheLineUntouched) {
  PaymentLine line = MakeLine("Иван Петров", kValidIban, "5.00", "стара");
  const PaymentLine before = line;
  PaymentFieldTexts f = LoadPaymentFields(line);
  f[PaymentField::Reason] = "new";
  for (const char* amount : {"1e17", "0.5", "x"}) {
    f[PaymentField::NetAmount] = amount;
    EXPECT_FALSE(StorePaymentFields(f, line, Currency::Leva)) << amount;
    EXPECT_EQ(0, std::memcmp(&line, &before, sizeof line)) << amount;
  }
}

}  // namespace
}  // namespace zel
