// Any bytes as masspIB.dat beside a small fixed register: the lines come from
// the register alone, each takes the stored fields of the last record with
// its EGN (the first line of an EGN only), and the save writes exactly that,
// one record per EGN.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/data_files.h"
#include "payment/payment_list.h"

namespace {

using zel::EmployeeRecord;
using zel::PaymentRecord;

EmployeeRecord Employee(const char* egn, std::uint8_t ibanLength, std::uint8_t hasLeft) {
  EmployeeRecord r = zel::ZeroEmployeeRecord();
  r.FullName = std::string("Employee ") + egn;
  r.EGN = egn;
  r.Account = "12345";
  r.IBAN = "BG80BNBG96611020345678";
  r.IBAN.length = ibanLength;
  r.HasLeft = hasLeft;
  return r;
}

// Short EGNs so that the fuzzer reaches them; a shared EGN, an employee who
// left, a short IBAN and a corrupt IBAN length byte.
std::vector<EmployeeRecord> Register() {
  std::vector<EmployeeRecord> r = {Employee("1", 22, 0),  Employee("22", 22, 0), Employee("22", 22, 0),
                                   Employee("", 22, 0),   Employee("3", 22, 1),  Employee("4", 21, 0),
                                   Employee("5", 200, 0), Employee("6", 22, 0)};
  r[7].EGN.length = 250;  // corrupt: reads as its 10 bytes
  return r;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void Write(const std::string& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
}

std::string MakeDir() {
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  std::string pattern = (base / "zel-fuzz-payment-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  zel::SetDataDir(pattern + "/");
  const auto reg = Register();
  Write(pattern + "/employIB.dat", reinterpret_cast<const char*>(reg.data()), reg.size() * sizeof(EmployeeRecord));
  return pattern;
}

// The saved file worked out the slow, obvious way.
std::string Expected(const std::uint8_t* data, std::size_t size) {
  std::string out;
  const auto reg = Register();
  for (std::size_t i = 0; i < reg.size(); ++i) {
    const EmployeeRecord& e = reg[i];
    if (e.HasLeft != 0 || e.IBAN.length != 22) continue;
    bool firstOfEgn = true;
    for (std::size_t j = 0; j < i; ++j) {
      if (reg[j].HasLeft == 0 && reg[j].IBAN.length == 22 && reg[j].EGN.view() == e.EGN.view()) firstOfEgn = false;
    }
    if (!firstOfEgn) continue;  // one record per EGN, the first line's
    PaymentRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.EGN = e.EGN;
    rec.Account = e.Account;
    rec.IBAN = e.IBAN;
    for (std::size_t off = 0; off + sizeof(PaymentRecord) <= size; off += sizeof(PaymentRecord)) {
      PaymentRecord stored;
      std::memcpy(&stored, data + off, sizeof stored);
      if (stored.EGN.view() != e.EGN.view()) continue;
      rec.BankCode = stored.BankCode;
      rec.NetAmount = stored.NetAmount;
      rec.Reason = stored.Reason;
    }
    out.append(reinterpret_cast<const char*>(&rec), sizeof rec);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = MakeDir();
  const std::string path = dir + "/masspIB.dat";
  Write(path, reinterpret_cast<const char*>(data), size);

  zel::PaymentList list;
  if (!zel::LoadPaymentList(zel::SystemFileSystem(), list).ok() || !list.paymentFileRead) std::abort();
  if (list.lines.size() != 5) std::abort();
  if (!zel::SavePaymentList(zel::SystemFileSystem(), list, {}).ok()) std::abort();
  const std::string saved = Slurp(path);
  if (saved != Expected(data, size)) std::abort();

  // Loading the saved file and saving again changes nothing.
  zel::PaymentList again;
  if (!zel::LoadPaymentList(zel::SystemFileSystem(), again).ok()) std::abort();
  if (!zel::SavePaymentList(zel::SystemFileSystem(), again, {}).ok()) std::abort();
  if (Slurp(path) != saved) std::abort();
  zel::FreePaymentLines(list);
  zel::FreePaymentLines(again);
  return 0;
}
