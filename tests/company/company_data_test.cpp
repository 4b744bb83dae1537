#include "company/company_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "support/fakes.h"

namespace zel {
namespace {

const std::vector<std::string> kValueOrder = {"ClientName", "CodeBUS", "ClientAcc", "IBANClientAcc"};
const std::string kBranchIban = "BG76QRVA91501234567890";

CompanyData Sample() { return {Cp("Фирма ООД"), "QRVA9150", "1012345675", kBranchIban}; }

TEST(CompanyData, LoadCreatesTheKeyAndReadsEveryValue) {
  test::FakeSettingsStore store;
  CompanyData data = LoadCompanyData(store);
  EXPECT_TRUE(store.keyExists);
  EXPECT_EQ(data.ClientName, "");
  EXPECT_EQ(data.IBANClientAcc, "");

  store.values = {{"ClientName", "A"}, {"CodeBUS", "B"}, {"ClientAcc", "C"}, {"IBANClientAcc", "D"}};
  data = LoadCompanyData(store);
  EXPECT_EQ(data.ClientName, "A");
  EXPECT_EQ(data.CodeBUS, "B");
  EXPECT_EQ(data.ClientAcc, "C");
  EXPECT_EQ(data.IBANClientAcc, "D");
}

TEST(CompanyData, SaveWritesAllFourInOrderEmptyOnesToo) {
  test::FakeSettingsStore store;
  CompanyData data = Sample();
  data.CodeBUS.clear();
  data.ClientAcc.clear();
  ASSERT_TRUE(SaveCompanyData(store, data).ok());
  EXPECT_EQ(store.writes, kValueOrder);
  EXPECT_EQ(store.values.at("CodeBUS"), "");
  EXPECT_EQ(store.values.at("ClientName"), Cp("Фирма ООД"));

  const CompanyData back = LoadCompanyData(store);
  EXPECT_EQ(back.ClientName, data.ClientName);
  EXPECT_EQ(back.IBANClientAcc, kBranchIban);
}

TEST(CompanyData, FailingWriteStopsTheSaveAndKeepsEarlierValues) {
  test::FakeSettingsStore store;
  store.keyExists = true;
  store.values = {{"ClientAcc", "old acc"}, {"IBANClientAcc", "old iban"}};
  store.failWritesFrom = 2;
  const Status saved = SaveCompanyData(store, Sample());
  EXPECT_FALSE(saved.ok());
  EXPECT_EQ(saved.message(), "Access denied");
  EXPECT_EQ(store.writes, (std::vector<std::string>{"ClientName", "CodeBUS", "ClientAcc"}));
  EXPECT_EQ(store.values.at("ClientName"), Cp("Фирма ООД"));
  EXPECT_EQ(store.values.at("CodeBUS"), "QRVA9150");
  EXPECT_EQ(store.values.at("ClientAcc"), "old acc");
  EXPECT_EQ(store.values.at("IBANClientAcc"), "old iban");
}

TEST(CompanyData, ReadSettingNeverCreatesTheKey) {
  test::FakeSettingsStore store;
  store.values["ClientName"] = "stale";  // not visible without the key
  EXPECT_EQ(ReadSetting(store, "ClientName"), "");
  EXPECT_FALSE(store.keyExists);

  store.keyExists = true;
  EXPECT_EQ(ReadSetting(store, "ClientName"), "stale");
  EXPECT_EQ(ReadSetting(store, "CodeBUS"), "");
}

TEST(CompanyData, LabelsAndLengthsOfTheDialog) {
  const auto& table = CompanyFieldTable();
  EXPECT_EQ(table[kCompanyName].label, Cp("Наименование на фирмата"));
  EXPECT_EQ(table[kCompanyIban].label, Cp("IBAN сметка на наредителя"));
  const std::vector<std::size_t> lengths = {26, 8, 10, 22};
  for (std::size_t i = 0; i < kCompanyFieldCount; ++i) {
    EXPECT_EQ(static_cast<std::size_t>(table[i].maxLength), lengths[i]);
    EXPECT_EQ(kCompanyValueNames[i], kValueOrder[i]);
  }
}

TEST(CompanyData, CheckRequiresNameThenIban) {
  CompanyCheck r = CheckCompanyData({});
  EXPECT_FALSE(r.valid);
  EXPECT_EQ(r.field, kCompanyName);
  EXPECT_EQ(r.message, Cp("Наименование на фирмата не е попълнено !"));

  r = CheckCompanyData({"X", "", "", ""});
  EXPECT_EQ(r.field, kCompanyIban);
  EXPECT_EQ(r.message, Cp("IBAN сметка на наредителя не е попълнено !"));

  // A ";" would break the header line of the payment file.
  r = CheckCompanyData({Cp("Фирма; ООД"), "", "", kBranchIban});
  EXPECT_EQ(r.field, kCompanyName);
  EXPECT_EQ(r.message, Cp("Наименование на фирмата не е валидно !"));
}

TEST(CompanyData, CheckAcceptsOnlyTheBranchIban) {
  const std::string invalid = Cp("IBAN сметка на наредителя не е валиден или не е на ЖТМ !");
  const std::vector<std::string> rejected = {
      "bg76qrva91501234567890",   // lower case, though the IBAN check alone accepts it
      "BG76 QRVA91501234567890",  // blank
      "BG76QRVA9150123456789",    // 21 characters
      "BG80BNBG96611020345678",   // another bank
      "BG77QRVA91501234567890",   // check digits
      "BG95QRVA91509999999998",
  };
  for (const std::string& iban : rejected) {
    SCOPED_TRACE(iban);
    const CompanyCheck r = CheckCompanyData({"X", "", "", iban});
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.field, kCompanyIban);
    EXPECT_EQ(r.message, invalid);
  }
  const CompanyCheck r = CheckCompanyData({"X", "", "", kBranchIban});
  EXPECT_TRUE(r.valid);
  EXPECT_TRUE(r.message.empty());
  EXPECT_TRUE(CheckCompanyData({"X", "", "", "BG95QRVA91509999999999"}).valid);
}

}  // namespace
}  // namespace zel
