#pragma once
// A hint that memory will be read soon: a pass over records scattered in
// memory asks for the next ones while it works on this one, instead of
// waiting for each in turn. It changes no result; a compiler without such a
// hint makes it nothing.

#include <cstddef>

namespace zel {

inline void Prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

// How many records ahead a pass asks for: enough to cover a trip to memory.
inline constexpr std::size_t kPrefetchAhead = 16;

}  // namespace zel
