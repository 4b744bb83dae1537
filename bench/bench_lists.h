#pragma once
// What the benchmarks of the payment list share: a working folder of their
// own for the whole run, and a list of n employees in one form.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "common/cp1251.h"
#include "common/currency.h"
#include "payment/payment_list.h"

namespace zelbench {

// A temporary folder, the current one while the run lasts, removed at its end.
struct BenchDir {
  BenchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    std::filesystem::current_path(path);
  }
  ~BenchDir() {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

inline BenchDir& Dir() {
  static BenchDir dir;
  return dir;
}

// Every line: the name (UTF-8) followed by its number, a distinct EGN from
// 7501010000 up, one valid IBAN, amount(i), the reason (UTF-8).
struct ListForm {
  const char* name;
  const char* reason;
  zel::Currency currency;
  std::function<std::string(std::int64_t i)> amount;
};

inline zel::PaymentList MakeList(std::int64_t n, const ListForm& form) {
  zel::PaymentList list;
  list.currency = form.currency;
  list.lines.reserve(static_cast<std::size_t>(n));
  const std::string name = zel::Cp(form.name), reason = zel::Cp(form.reason);
  for (std::int64_t i = 0; i < n; ++i) {
    zel::PaymentLine line = zel::ZeroPaymentLine();
    line.Employee.FullName.assign(name + std::to_string(i));
    line.Employee.EGN.assign(std::to_string(7501010000 + i));
    line.Employee.IBAN.assign("BG80BNBG96611020345678");
    line.NetAmount.assign(form.amount(i));
    line.Reason.assign(reason);
    list.lines.push_back(line);
  }
  return list;
}

}  // namespace zelbench
