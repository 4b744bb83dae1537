#include "payment/sepa_file.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "common/amount.h"
#include "common/calendar.h"
#include "common/cp1251.h"
#include "payment/test_lines.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

PaymentList LinesWith(const std::vector<const char*>& amounts) {
  PaymentList list;
  list.currency = Currency::Euro;
  int n = 0;
  for (const char* amount : amounts) {
    list.lines.push_back(MakeLine("Служител " + std::to_string(++n), kValidIban, amount, "Заплата"));
  }
  return list;
}

// Only characters every bank of the euro area takes.
bool InLatinSet(const std::string& text) {
  return text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/-?:().,'+ ") ==
         std::string::npos;
}

// Every text of the elements named `tag`, in order.
std::vector<std::string> Values(const std::string& xml, const std::string& tag) {
  std::vector<std::string> values;
  const std::string open = "<" + tag + ">";
  const std::string close = "</" + tag.substr(0, tag.find(' ')) + ">";
  for (std::size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const std::size_t start = at + open.size();
    values.push_back(xml.substr(start, xml.find(close, start) - start));
  }
  return values;
}

// Sums in whole cents, lines without an amount left out with why, and a
// list with an amount that is no plain decimal (or too large, or nothing to
// pay) refused with the employee named.
TEST(CollectSepaPayments, CentsLeftOutLinesAndRefusals) {
  using W = LeftOutWhy;
  struct Row {
    std::vector<const char*> amounts;
    std::size_t count;
    const char* total;
    std::vector<LeftOutWhy> leftOut;
    const char* refused;  // the employee the refusal names, or nullptr
  };
  const Row rows[] = {
      {{"0.10", "0.20", "0.30"}, 3, "0.60", {}, nullptr},
      {{"999999999.99", "999999999.99", "0.01"}, 3, "1999999999.99", {}, nullptr},
      {{"", "  ", "0.00", "0", "12.5"}, 1, "12.50", {W::NoAmount, W::NoAmount, W::ZeroAmount, W::ZeroAmount}, nullptr},
      {{"100.00", "12,50"}, 0, "0.00", {}, "Служител 2"},
      {{"1e3"}, 0, "0.00", {}, "Служител 1"},
      {{"5.00", "-5.00"}, 0, "0.00", {}, "Служител 2"},
      {{"1.234"}, 0, "0.00", {}, "Служител 1"},
      {{"", "1000000000.00"}, 0, "0.00", {}, "Служител 2"},
      {{"", "0.00"}, 0, "0.00", {}, ""},
  };
  for (const Row& row : rows) {
    const SepaPayments p = CollectSepaPayments(LinesWith(row.amounts));
    const std::string context = std::string(row.amounts.empty() ? "" : row.amounts.back());
    EXPECT_EQ(p.payments.size(), row.count) << context;
    EXPECT_EQ(FormatCents(p.totalCents), row.total) << context;
    std::vector<LeftOutWhy> whys;
    for (const SepaLeftOut& out : p.leftOut) whys.push_back(out.why);
    EXPECT_EQ(whys, row.leftOut) << context;
    EXPECT_EQ(p.refusal.empty(), row.refused == nullptr) << context;
    if (row.refused != nullptr) {
      EXPECT_NE(p.refusal.find(Cp(row.refused)), std::string::npos) << Cp1251ToUtf8(p.refusal);
    }
  }
  PaymentList badIban = LinesWith({"1.00"});
  badIban.lines[0].Employee.IBAN.assign("BG81BNBG96611020345678");
  EXPECT_EQ(Cp1251ToUtf8(CollectSepaPayments(badIban).refusal),
            "IBAN „BG81BNBG96611020345678“ на Служител 1 не е валиден !");
}

// The document of each version, with and without a BIC, read back: the
// version's own forms, and the rules the schemas leave to the writer (euro,
// two decimals, the sums, the Latin set, the lengths, identifiers unique and
// free of personal data).
TEST(SepaDocument, BothVersionsKeepTheRulesTheSchemaDoesNotCheck) {
  PaymentList list = LinesWith({"1234.56", "", "0.10", "0.20"});
  list.lines[0].Employee.FullName.assign(Cp("Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев Щерев"));
  list.lines[0].Reason.assign(Cp("Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ Щщщщщ"));
  list.lines[2].Reason.assign("");
  list.lines[3].Employee.FullName.assign(Cp("Мария „Ъгъл“ & Co"));
  const SepaPayments payments = CollectSepaPayments(list);
  ASSERT_TRUE(payments.refusal.empty());

  struct Row {
    SepaVersion version;
    const char* bic;
    bool batch;
    std::vector<const char*> present;
    std::vector<const char*> absent;
  };
  const Row rows[] = {
      {SepaVersion::Pain09,
       "BNBGBGSF",
       true,
       {"xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.001.001.09\"", "<ReqdExctnDt>\n        <Dt>2026-12-08</Dt>",
        "<BICFI>BNBGBGSF</BICFI>", "<BtchBookg>true</BtchBookg>"},
       {"<BIC>", "NOTPROVIDED"}},
      {SepaVersion::Pain03,
       "BNBGBGSFXXX",
       false,
       {"xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.001.001.03\"", "<ReqdExctnDt>2026-12-08</ReqdExctnDt>",
        "<BIC>BNBGBGSFXXX</BIC>", "<BtchBookg>false</BtchBookg>"},
       {"<BICFI>", "<Dt>"}},
      {SepaVersion::Pain09, "", true, {"<FinInstnId>\n          <Othr>\n            <Id>NOTPROVIDED</Id>"}, {"BIC"}},
      {SepaVersion::Pain03, "", true, {"<FinInstnId>\n          <Othr>\n            <Id>NOTPROVIDED</Id>"}, {"BIC"}},
  };
  for (const Row& row : rows) {
    SepaHeader header;
    header.messageId = SepaMessageId({MakeDate(2026, 12, 7), {10, 11, 12}}, 17);
    header.created = {MakeDate(2026, 12, 7), {10, 11, 12}};
    header.payerName = "Torva OOD";
    header.payerIban = kValidIban;
    header.payerBic = row.bic;
    header.executionDate = MakeDate(2026, 12, 8);
    header.version = row.version;
    header.batchBooking = row.batch;
    const std::string xml = SepaDocument(header, payments);
    const std::string context = std::string(SepaVersionName(row.version)) + " " + row.bic;

    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document ", 0), 0u) << context;
    for (const char* text : row.present) EXPECT_NE(xml.find(text), std::string::npos) << context << ": " << text;
    for (const char* text : row.absent) EXPECT_EQ(xml.find(text), std::string::npos) << context << ": " << text;

    EXPECT_EQ(Values(xml, "NbOfTxs"), std::vector<std::string>(2, "3")) << context;
    EXPECT_EQ(Values(xml, "CtrlSum"), std::vector<std::string>(2, "1234.86")) << context;
    std::int64_t sum = 0;
    for (const std::string& amount : Values(xml, "InstdAmt Ccy=\"EUR\"")) {
      EXPECT_EQ(amount.size() - amount.find('.'), 3u) << amount;
      sum += ParseCents(amount).value_or(-1);
    }
    EXPECT_EQ(FormatCents(sum), "1234.86") << context;

    std::vector<std::string> ids = Values(xml, "EndToEndId");
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), 3u) << context;
    for (const std::string& id : Values(xml, "MsgId")) ids.push_back(id);
    for (const std::string& id : Values(xml, "PmtInfId")) ids.push_back(id);
    for (const std::string& id : ids) {
      EXPECT_TRUE(InLatinSet(id) && !id.empty() && id.size() <= 35 && id.front() != '/' && id.back() != '/' &&
                  id.find("//") == std::string::npos)
          << id;
    }
    EXPECT_EQ(xml.find("7501010010"), std::string::npos) << "an EGN in the file";

    const std::vector<std::string> names = Values(xml, "Nm");
    EXPECT_EQ(names[2], "Shterev Shterev Shterev Shterev Shterev Shterev Shterev Shterev") << context;
    EXPECT_EQ(names.back(), "Maria Agal + Co") << context;
    const std::vector<std::string> reasons = Values(xml, "Ustrd");
    ASSERT_EQ(reasons.size(), 2u) << "an empty reason is no element";
    EXPECT_EQ(reasons[0].size(), 8 * 15 + 7) << "cut after its eighth word";
    for (const std::string& text : names) EXPECT_TRUE(InLatinSet(text) && text.size() <= kSepaNameLength) << text;
    for (const std::string& text : reasons) EXPECT_TRUE(InLatinSet(text)) << text;
  }
}

}  // namespace
}  // namespace zel
