#pragma once
// Sixteen bytes worked together: compared with a byte, combined bit by bit,
// and turned into a mask with bit i for byte i. A comparison gives flags,
// 0xFF where it holds and 0 elsewhere. With SSE2, which every x86-64
// processor has, each of these is one instruction; elsewhere a plain loop.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ZEL_BYTE_BLOCKS_SSE2 1
#endif

namespace zel {

class Bytes16 {
public:
  static constexpr std::size_t kSize = 16;

  // The sixteen bytes from p on.
  static Bytes16 Load(const unsigned char* p) {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
#else
    Bytes16 b;
    std::memcpy(b.b_, p, kSize);
    return b;
#endif
  }
  // Sixteen times the byte c.
  static Bytes16 Fill(unsigned char c) {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_set1_epi8(static_cast<char>(c)));
#else
    Bytes16 b;
    std::memset(b.b_, c, kSize);
    return b;
#endif
  }

  // Flags: the bytes equal to those of `other`.
  Bytes16 operator==(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_cmpeq_epi8(v_, other.v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return Flag(x == y); });
#endif
  }
  // Flags: the bytes below those of `other`, both taken as signed (the
  // bytes from 0x80 up below all others, in their order).
  Bytes16 SignedBelow(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_cmplt_epi8(v_, other.v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return Flag((x ^ 0x80) < (y ^ 0x80)); });
#endif
  }
  Bytes16 operator&(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_and_si128(v_, other.v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return static_cast<unsigned char>(x & y); });
#endif
  }
  Bytes16 operator|(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_or_si128(v_, other.v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return static_cast<unsigned char>(x | y); });
#endif
  }
  Bytes16 operator^(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_xor_si128(v_, other.v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return static_cast<unsigned char>(x ^ y); });
#endif
  }
  // These bytes with the bits of `other` cleared.
  Bytes16 Without(Bytes16 other) const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return Bytes16(_mm_andnot_si128(other.v_, v_));
#else
    return Each(other, [](unsigned char x, unsigned char y) { return static_cast<unsigned char>(x & ~y); });
#endif
  }

  // Bit i: the high bit of byte i (a flag that holds, or a byte from 0x80 up).
  std::uint32_t Mask() const {
#ifdef ZEL_BYTE_BLOCKS_SSE2
    return static_cast<std::uint32_t>(_mm_movemask_epi8(v_));
#else
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < kSize; ++i) mask |= static_cast<std::uint32_t>(b_[i] >> 7) << i;
    return mask;
#endif
  }

private:
#ifdef ZEL_BYTE_BLOCKS_SSE2
  explicit Bytes16(__m128i v) : v_(v) {}
  __m128i v_;
#else
  Bytes16() = default;
  static unsigned char Flag(bool b) { return b ? 0xFF : 0; }
  template <class Op>
  Bytes16 Each(Bytes16 other, Op op) const {
    Bytes16 r;
    for (std::size_t i = 0; i < kSize; ++i) r.b_[i] = op(b_[i], other.b_[i]);
    return r;
  }
  unsigned char b_[kSize];
#endif
};

}  // namespace zel
