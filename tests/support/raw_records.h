#pragma once
// Records written byte by byte at the files' offsets, as an older version or
// another program would have left them.

#include <cstddef>
#include <string>

namespace zel::test {

// A length byte and the text at `offset` of a raw record.
inline void Put(std::string& raw, std::size_t offset, const std::string& text) {
  raw[offset] = static_cast<char>(text.size());
  raw.replace(offset + 1, text.size(), text);
}

// A 136-byte record of the payment list file.
inline std::string Stored(const std::string& bank, const std::string& egn, const std::string& amount,
                          const std::string& reason, const std::string& iban = "") {
  std::string raw(136, '\0');
  Put(raw, 0, bank);
  Put(raw, 9, egn);
  Put(raw, 20, "");
  Put(raw, 31, amount);
  Put(raw, 52, reason);
  Put(raw, 113, iban);
  return raw;
}

}  // namespace zel::test
