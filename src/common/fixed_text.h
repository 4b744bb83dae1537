#pragma once
// A length-prefixed single-byte text of fixed capacity, exactly as it lies in
// the data files: one length byte, then N bytes. Reading clamps a corrupt
// length byte to N so that a field never reads into its neighbour; the raw
// bytes are kept untouched, so an unchanged record is written back byte for
// byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zel {

template <std::size_t N>
struct FixedText {
  static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");
  static constexpr std::size_t kCapacity = N;

  std::uint8_t length;
  char bytes[N];

  std::size_t size() const { return std::min<std::size_t>(length, N); }
  bool empty() const { return size() == 0; }
  std::string_view view() const { return std::string_view(bytes, size()); }
  std::string str() const { return std::string(view()); }

  // Stores the first N bytes of s; bytes behind the new length are left as they were.
  void assign(std::string_view s) {
    const std::size_t n = std::min(s.size(), N);
    if (n > 0) std::memcpy(bytes, s.data(), n);
    length = static_cast<std::uint8_t>(n);
  }
  FixedText& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  void clear() { length = 0; }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
};

static_assert(sizeof(FixedText<10>) == 11);
static_assert(alignof(FixedText<10>) == 1);

}  // namespace zel
