#pragma once
// The hash of the small keys the lists are searched by (EGN, IBAN), for
// tables with a power-of-two number of slots.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "common/prefetch.h"

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

// The same for keys that are numbers below 2^34 (the ten digits of an EGN):
// a slot holds the key and the position together, so that a search reads
// one place of a table of 8-byte slots. Items from the 2^30th on are not kept
// (a list of that many records would not fit in memory).
class FirstIndexByNumber {
public:
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};  // of an item without a key

  // keys[i] is the key of item i, or kNoKey.
  explicit FirstIndexByNumber(const std::vector<std::uint64_t>& keys) {
    const std::size_t count = keys.size() < kMaxItems ? keys.size() : kMaxItems;
    unsigned bits = 4;
    while ((std::size_t{1} << bits) < 2 * count) ++bits;
    shift_ = 64 - bits;
    slots_.assign(std::size_t{1} << bits, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
      if (i + kPrefetchAhead < count) Prefetch(keys[i + kPrefetchAhead]);
      const std::uint64_t key = keys[i];
      if (key >= kKeyLimit) continue;
      std::size_t at = Slot(key);
      while (slots_[at] != 0 && slots_[at] >> kPositionBits != key) at = (at + 1) & mask;
      if (slots_[at] == 0) slots_[at] = key << kPositionBits | (i + 1);  // a later item of the same key is not kept
    }
  }

  // The position of the first item with this key, or -1.
  long Find(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = Slot(key); slots_[at] != 0; at = (at + 1) & mask) {
      if (slots_[at] >> kPositionBits == key) return static_cast<long>((slots_[at] & kPositionMask) - 1);
    }
    return -1;
  }
  // Asks for the place of a key that Find will be given soon.
  void Prefetch(std::uint64_t key) const { zel::Prefetch(&slots_[Slot(key)]); }

private:
  static constexpr unsigned kPositionBits = 30;
  static constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << kPositionBits) - 1;
  static constexpr std::uint64_t kKeyLimit = std::uint64_t{1} << (64 - kPositionBits);
  static constexpr std::size_t kMaxItems = kPositionMask - 1;

  // Fibonacci hashing: keys that follow each other land far apart.
  std::size_t Slot(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }

  std::vector<std::uint64_t> slots_;  // key << kPositionBits | (position + 1); 0 for an empty slot
  unsigned shift_ = 60;
};

}  // namespace zel
