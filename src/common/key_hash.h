#pragma once
// The hash of the small keys the lists are searched by (EGN, IBAN), for
// tables with a power-of-two number of slots.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"

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

// The position of the first of `count` items with a key (an EGN), by open
// addressing with linear probing, at most half of the slots used. The keys
// are copied side by side: a search touches a few megabytes, where reading
// them from the items would wander over all of those.
template <std::size_t N>
class FirstIndexByKey {
public:
  // keyOf(i) gives the key of item i.
  template <class KeyOf>
  FirstIndexByKey(std::size_t count, KeyOf keyOf) : keys_(count) {
    for (std::size_t i = 0; i < count; ++i) keys_[i] = keyOf(i);
    std::size_t capacity = 16;
    while (capacity < 2 * count) capacity *= 2;
    slots_.assign(capacity, 0);
    for (std::uint32_t i = 0; i < keys_.size(); ++i) {
      std::size_t at = HashKey(keys_[i].view()) & (capacity - 1);
      for (; slots_[at] != 0; at = (at + 1) & (capacity - 1)) {
        if (keys_[slots_[at] - 1].view() == keys_[i].view()) break;  // a later item of the same key
      }
      if (slots_[at] == 0) slots_[at] = i + 1;
    }
  }

  // The position of the first item with this key, or -1.
  long Find(std::string_view key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = HashKey(key) & mask; slots_[at] != 0; at = (at + 1) & mask) {
      if (keys_[slots_[at] - 1].view() == key) return static_cast<long>(slots_[at] - 1);
    }
    return -1;
  }

private:
  std::vector<FixedText<N>> keys_;
  std::vector<std::uint32_t> slots_;  // position of an item + 1; 0 for an empty slot
};

}  // namespace zel
