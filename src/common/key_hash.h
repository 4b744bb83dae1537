#pragma once
// The hash of the small keys the lists are searched by (EGN, IBAN), for
// tables with a power-of-two number of slots.

#include <cstdint>
#include <string_view>

namespace zel {

// FNV-1a over the key's bytes, each passed through `map` first (to compare
// in capitals, say), its bits then mixed so that the low bits, which pick
// the slot, depend on every byte.
template <class Map>
std::uint32_t HashKey(std::string_view text, Map map) {
  std::uint32_t h = 2166136261u;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(map(c));
    h *= 16777619u;
  }
  h ^= h >> 16;
  h *= 0x85EBCA6Bu;
  h ^= h >> 13;
  return h;
}

inline std::uint32_t HashKey(std::string_view text) {
  return HashKey(text, [](char c) { return c; });
}

}  // namespace zel
