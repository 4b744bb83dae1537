#include "payment/money_list.h"

#include <algorithm>

namespace zel {

namespace {
constexpr std::size_t kNameChars = 30;
constexpr std::size_t kAmountField = 20;

bool IsLine(const PaymentList& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.lines.size();
}
}  // namespace

MoneyListColumns MakeMoneyListColumns(int w, int n, int lv) {
  MoneyListColumns c;
  c.name = 1;
  c.bankCode = 1 + 31 * w;
  c.account = c.bankCode + 11 * n;
  c.amountMinRight = c.bankCode + 2 * (11 * n) + (12 * n + lv) + w;
  c.letterW = w;
  return c;
}

int AmountRightEdge(const MoneyListColumns& columns, int lineRight) {
  return std::max(columns.amountMinRight, lineRight - columns.letterW);
}

std::string NameCellText(const PaymentLine& line) {
  return std::string(line.Employee.FullName.view().substr(0, kNameChars));
}

std::string AccountCellText(const PaymentLine& line, bool showOldAccounts) {
  return showOldAccounts ? line.Employee.Account.str() : line.Employee.IBAN.str();
}

std::string AmountCellText(const PaymentLine& line, Currency currency) {
  const std::string_view amount = line.NetAmount.view();
  std::string text(amount.size() < kAmountField ? kAmountField - amount.size() : 0, ' ');
  text += amount;
  return text + RulesOf(currency).label;
}

void FillReason(PaymentList& list, std::string_view reason) {
  for (PaymentLine& line : list.lines) line.Reason.assign(reason);
}

std::optional<PaymentLine> LineForEdit(const PaymentList& list, int selected) {
  if (!IsLine(list, selected)) return std::nullopt;
  return list.lines[static_cast<std::size_t>(selected)];
}

bool ApplyEditedLine(PaymentList& list, int selected, const PaymentLine& edited) {
  if (!IsLine(list, selected)) return false;
  list.lines[static_cast<std::size_t>(selected)] = edited;
  return true;
}

}  // namespace zel
