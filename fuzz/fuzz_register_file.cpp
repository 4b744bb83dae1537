// Any bytes as employIB.dat: loading takes the whole records, saving writes
// exactly those bytes back, and the saved file loads to the same register.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/data_files.h"
#include "personnel/register_files.h"

namespace {

std::string MakeDir() {
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  std::string pattern = (base / "zel-fuzz-register-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  zel::SetDataDir(pattern + "/");
  return pattern;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string RegisterBytes(const zel::Register& reg) {
  return std::string(reinterpret_cast<const char*>(reg.records().data()), reg.size() * sizeof(zel::EmployeeRecord));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = MakeDir();
  const std::string path = dir + "/employIB.dat";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::string whole(reinterpret_cast<const char*>(data), size - size % sizeof(zel::EmployeeRecord));

  zel::Register reg;
  if (!zel::LoadRegister(zel::SystemFileSystem(), reg).ok()) std::abort();
  if (reg.size() != size / sizeof(zel::EmployeeRecord)) std::abort();
  for (const auto& r : reg.records()) {
    // Reading never reaches past a field, whatever its length byte says.
    if (r.FullName.view().size() > 60 || r.IBAN.view().size() > 22) std::abort();
  }
  if (!zel::SaveRegister(zel::SystemFileSystem(), reg, {}).ok()) std::abort();
  if (Slurp(path) != whole) std::abort();

  zel::Register again;
  if (!zel::LoadRegister(zel::SystemFileSystem(), again).ok()) std::abort();
  if (RegisterBytes(again) != whole) std::abort();
  zel::FreeRecords(again);
  return 0;
}
