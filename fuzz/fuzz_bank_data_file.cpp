// Any bytes as a bank file read by ReadBankDataFile into a small register: no crash,
// no read past the input, and the register keeps its invariants.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bank_reader_fuzz.h"
#include "personnel/bank_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = zel::fuzz::InputFile(data, size);
  const zel::Register before = zel::fuzz::SmallRegister();
  zel::Register reg = before;
  zel::fuzz::AlternatingMessages messages;
  if (!zel::ReadBankDataFile(zel::SystemFileSystem(), reg, messages, path).ok()) std::abort();
  zel::fuzz::CheckInvariants(before, reg, true);
  return 0;
}
