#pragma once
// Shared by the bank file fuzz targets: the input as a file, a small register
// that holds EGNs and accounts the inputs can hit, a Messages fake that
// answers OK and Cancel in turn, and the invariants every reader keeps.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/checks.h"
#include "common/employee_record.h"
#include "common/messages.h"
#include "personnel/register.h"

namespace zel::fuzz {

class AlternatingMessages : public Messages {
public:
  void Show(const std::string&) override {}
  void ShowCaptioned(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&, Icon, Default) override { return (++asked % 2) == 1; }
  void ReportError(const std::string&) override {}
  int asked = 0;
};

// Writes the input to a file of its own in a folder made once per process.
inline std::string InputFile(const std::uint8_t* data, std::size_t size) {
  static const std::string path = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "zel-fuzz-bank-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/bank.txt";
  }();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

inline Register SmallRegister() {
  Register reg;
  const char* const egns[] = {"8503124567", "8503124567", "7001011234", "0245101234"};
  const char* const accounts[] = {"1012345675", "", "1000000002", "1012345675"};
  for (int i = 0; i < 4; ++i) {
    EmployeeRecord r = ZeroEmployeeRecord();
    r.FullName = "Employee";
    r.EGN = egns[i];
    r.Account = accounts[i];
    reg.Append(r);
  }
  reg.SetEditIndex(2);
  return reg;
}

// What no reader may ever do to the register, whatever the file holds.
inline void CheckInvariants(const Register& before, const Register& after, bool mayAdd) {
  if (after.size() < before.size() || (!mayAdd && after.size() != before.size())) std::abort();
  if (after.EditIndex() != -1) std::abort();
  for (std::size_t i = 0; i < after.size(); ++i) {
    const EmployeeRecord& r = after.at(i);
    if (r.FullName.size() > 60 || r.IBAN.size() > 22 || r.Account.size() > 10) std::abort();
    if (i >= before.size()) {
      // Only valid EGNs held by nobody before come in.
      if (!IsValidEgn(r.EGN.view()) || r.HasLeft != 0 || !r.IBAN.empty()) std::abort();
      for (std::size_t j = 0; j < i; ++j) {
        if (after.at(j).EGN.view() == r.EGN.view()) std::abort();
      }
      continue;
    }
    const EmployeeRecord& old = before.at(i);
    if (r.EGN.view() != old.EGN.view() || r.FullName.view() != old.FullName.view()) std::abort();
    if (r.Account.view() != old.Account.view() && !IsValidAccount(r.Account.view())) std::abort();
    if (r.IBAN.view() != old.IBAN.view() && (r.IBAN.size() != 22 || !IsValidIban(r.IBAN.view()))) std::abort();
  }
  // Whatever changed shows as unsaved.
  bool changed = after.size() != before.size();
  for (std::size_t i = 0; i < before.size(); ++i) {
    changed = changed || after.at(i).Account.view() != before.at(i).Account.view() ||
              after.at(i).IBAN.view() != before.at(i).IBAN.view();
  }
  if (changed && !after.Modified()) std::abort();
}

}  // namespace zel::fuzz
