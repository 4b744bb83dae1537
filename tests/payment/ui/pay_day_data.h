#pragma once
// The data of a pay day for the window tests: a register file written with
// the core, valid IBANs, and the company in the settings store.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/checks.h"
#include "common/cp1251.h"
#include "payment/payment_list.h"
#include "personnel/register.h"
#include "personnel/register_files.h"
#include "support/fakes.h"

namespace zel::test {

// A Bulgarian IBAN with the right check digits for an 18-character BBAN.
inline std::string IbanFor(const std::string& bban) {
  const int remainder = IbanRemainder("BG00" + bban);
  const int check = 98 - remainder;
  std::string iban = "BG";
  iban += static_cast<char>('0' + check / 10);
  iban += static_cast<char>('0' + check % 10);
  return iban + bban;
}

struct TestEmployee {
  std::string utf8Name;
  std::string egn;
  std::string account;
  std::string iban;
  bool left = false;
};

inline EmployeeRecord MakeEmployee(const TestEmployee& e) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName.assign(Cp(e.utf8Name));
  r.EGN.assign(e.egn);
  r.Account.assign(e.account);
  r.IBAN.assign(e.iban);
  r.HasLeft = e.left ? 1 : 0;
  return r;
}

// employIB.dat in DataDir.
inline void WriteRegisterFile(const std::vector<TestEmployee>& employees) {
  Register reg;
  for (const TestEmployee& e : employees) reg.Append(MakeEmployee(e));
  ASSERT_TRUE(SaveRegister(SystemFileSystem(), reg, {}).ok());
}

// Three payable employees and one who has left.
inline std::vector<TestEmployee> PayDayStaff() {
  return {
      {"Иван Петров Иванов", "7501010010", "1000000001", IbanFor("BNBG96611020345671")},
      {"Мария Георгиева Димитрова", "8002020020", "1000000002", IbanFor("BNBG96611020345672")},
      {"Petar Stoyanov", "6503030030", "1000000003", IbanFor("BNBG96611020345673")},
      {"Напуснал Служител", "7004040040", "1000000004", IbanFor("BNBG96611020345674"), true},
  };
}

inline const std::string kCompanyIban = "BG80BNBG96611020345678";

inline void StoreCompany(FakeSettingsStore& settings) {
  settings.keyExists = true;
  settings.values["ClientName"] = Cp("Торва ООД");
  settings.values["CodeBUS"] = "96611020";
  settings.values["ClientAcc"] = "1234567890";
  settings.values["IBANClientAcc"] = kCompanyIban;
}

}  // namespace zel::test
