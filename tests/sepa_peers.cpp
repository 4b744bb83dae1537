// The SEPA file against what no one here wrote: every version validated by
// xmllint against the official schemas, and a pain.001.001.03 file read back
// by AqBanking. Linux tools, so a program of its own beside the core tests
// (which also run under Wine); scripts/setup installs the tools and fetches
// the schemas (the folder ZEL_SEPA_SCHEMAS). Without them the tests skip, unless ZEL_SEPA_PEERS_REQUIRED
// is set (scripts/test), where they fail.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/amount.h"
#include "common/calendar.h"
#include "common/cp1251.h"
#include "payment/sepa_file.h"
#include "payment/test_lines.h"
#include "support/fakes.h"

namespace zel {
namespace {

// Where the build was told the schemas are, unless the environment says otherwise.
std::string SchemaDir() {
  const char* dir = std::getenv("ZEL_SEPA_SCHEMAS");
  return dir != nullptr ? dir : ZEL_SEPA_SCHEMAS;
}

bool HasTool(const char* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) == 0; }

// Skips (or, where the peers are required, fails) when `what` is missing.
#define REQUIRE_PEER(present, what)                                                           \
  do {                                                                                        \
    if (!(present)) {                                                                         \
      if (std::getenv("ZEL_SEPA_PEERS_REQUIRED") != nullptr) FAIL() << what << " is missing"; \
      GTEST_SKIP() << what << " is missing (scripts/setup installs it)";                      \
    }                                                                                         \
  } while (false)

// The command's exit code; its standard output and error in `output`.
int RunCommand(const std::string& command, std::string& output) {
  const std::string log = std::filesystem::current_path().string() + "/command.log";
  const int status = std::system((command + " >'" + log + "' 2>&1").c_str());
  output = test::ReadFileBytes(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Awkward names and amounts: Cyrillic with the law's hard letters, signs of
// the Latin set and outside it, a name cut at 70, the smallest and largest
// amounts, a reason left empty, and lines the file leaves out.
PaymentList AwkwardList() {
  PaymentList list;
  list.currency = Currency::Euro;
  const char* const rows[][4] = {
      {"Щерю Жечев Цанков", "BG80BNBG96611020345678", "0.01", "Заплата за ноември 2026"},
      {"O'Neil-Петрова (Мими)", "DE89370400440532013000", "999999999.99", "Аванс: 50% + бонус?"},
      {"Мария Вилияна Георгиева-Щерева Христофорова Жечева Цанкова Юлиянова", "BG18RZBB91550123456789", "1234.5", ""},
      {"Фирма „Ъгъл“ & Co", "AT611904300234573201", "", "без сума"},
      {"Иван Иванов", "NL91ABNA0417164300", "0.10", "Заплата/ноември, (2026)"},
      {"Петър Петров", "BG80BNBG96611020345678", "0.00", "нула"},
  };
  for (const auto& row : rows) list.lines.push_back(test::MakeLine(row[0], row[1], row[2], row[3]));
  return list;
}

SepaHeader Header(SepaVersion version, const char* bic) {
  SepaHeader header;
  header.created = {MakeDate(2026, 12, 7), {10, 11, 12}};
  header.messageId = SepaMessageId(header.created, 7);
  header.payerName = "Torva OOD";
  header.payerIban = test::kValidIban;
  header.payerBic = bic;
  header.executionDate = MakeDate(2026, 12, 8);
  header.version = version;
  return header;
}

TEST(SepaPeers, EveryVersionValidatesAgainstItsOfficialSchema) {
  REQUIRE_PEER(HasTool("xmllint"), "xmllint");
  const std::string schemas = SchemaDir();
  REQUIRE_PEER(std::filesystem::exists(schemas + "/iso/pain.001.001.09.xsd"), "the schemas in " + schemas);
  test::TempDir dir;
  const SepaPayments payments = CollectSepaPayments(AwkwardList());
  ASSERT_TRUE(payments.refusal.empty()) << Cp1251ToUtf8(payments.refusal);
  const std::pair<SepaVersion, std::vector<std::string>> versions[] = {
      {SepaVersion::Pain09, {"iso/pain.001.001.09.xsd"}},
      {SepaVersion::Pain03, {"iso/pain.001.001.03.xsd", "sepa/pain.001.001.03.xsd"}},
  };
  for (const auto& [version, schemaFiles] : versions) {
    for (const char* bic : {"", "BNBGBGSF", "BNBGBGSFXXX"}) {
      const std::string file = dir.File("sepa.xml");
      test::WriteFileBytes(file, SepaDocument(Header(version, bic), payments));
      for (const std::string& schema : schemaFiles) {
        std::string output;
        EXPECT_EQ(RunCommand("xmllint --noout --schema '" + schemas + "/" + schema + "' '" + file + "'", output), 0)
            << schema << " BIC " << bic << "\n"
            << output;
      }
    }
  }
}

// AqBanking reads every payment back exactly: IBAN, name, amount in euro,
// execution date and reason.
TEST(SepaPeers, AqBankingReadsThe03FileBackExactly) {
  REQUIRE_PEER(HasTool("aqbanking-cli"), "aqbanking-cli (aqbanking-tools)");
  test::TempDir dir;
  const SepaPayments payments = CollectSepaPayments(AwkwardList());
  ASSERT_EQ(payments.payments.size(), 4u);
  const std::string file = dir.File("sepa.xml");
  test::WriteFileBytes(file, SepaDocument(Header(SepaVersion::Pain03, "BNBGBGSF"), payments));

  // A configuration folder of its own, thrown away with the test's folder.
  const std::string aq = "aqbanking-cli -D '" + dir.File("aqconfig") + "' ";
  const std::string context = "'" + dir.File("context") + "'";
  std::string output;
  ASSERT_EQ(
      RunCommand(aq + "import -c " + context + " --importer=xml --profile=pain_001_001_03 -f '" + file + "'", output),
      0)
      << output;
  ASSERT_EQ(RunCommand(aq + "listtrans -c " + context +
                           " -T '$(remoteIban)|$(remoteName)|$(value)|$(date)|$(purpose)|$(localIban)|$(localName)'",
                       output),
            0)
      << output;
  std::vector<std::string> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    if (line.find('|') != std::string::npos) lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), payments.payments.size()) << output;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const SepaPayment& p = payments.payments[i];
    // AqBanking gives an amount as a fraction: cents over 100.
    const std::string expected = p.iban + "|" + p.name + "|" + std::to_string(p.cents) + "/100:EUR|20261208|" +
                                 p.reason + "|" + test::kValidIban + "|Torva OOD";
    EXPECT_EQ(lines[i], expected);
  }
  EXPECT_EQ(payments.payments[1].name, "O'Neil-Petrova (Mimi)");
  EXPECT_EQ(payments.payments[1].reason, "Avans: 50 + bonus?");
}

}  // namespace
}  // namespace zel
