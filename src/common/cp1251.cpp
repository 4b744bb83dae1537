#include "common/cp1251.h"

#include <array>
#include <unordered_map>

namespace zel {

namespace {

constexpr std::array<char32_t, 64> kHigh80 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

const std::unordered_map<char32_t, unsigned char>& ReverseHigh() {
  static const auto* map = [] {
    auto* m = new std::unordered_map<char32_t, unsigned char>();
    for (unsigned i = 0; i < kHigh80.size(); ++i) (*m)[kHigh80[i]] = static_cast<unsigned char>(0x80 + i);
    return m;
  }();
  return *map;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHigh80[byte - 0x80];
}

int UnicodeToCp1251(char32_t ch) {
  if (ch < 0x80) return static_cast<int>(ch);
  if (ch >= 0x0410 && ch <= 0x044F) return static_cast<int>(0xC0 + (ch - 0x0410));
  const auto& reverse = ReverseHigh();
  const auto it = reverse.find(ch);
  return it == reverse.end() ? -1 : it->second;
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c = 0;
    std::size_t extra = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else {
      out.push_back('?');
      ++i;
      continue;
    }
    if (i + extra >= utf8.size()) {  // truncated sequence
      out.push_back('?');
      break;
    }
    bool valid = true;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto cb = static_cast<unsigned char>(utf8[i + k]);
      if ((cb & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (cb & 0x3F);
    }
    if (!valid) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += extra + 1;
    const int byte = UnicodeToCp1251(c);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return out;
}

const std::array<Utf8Form, 256>& Utf8Forms() {
  static const std::array<Utf8Form, 256> kTable = [] {
    std::array<Utf8Form, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
      std::string one;
      AppendUtf8(one, Cp1251ToUnicode(static_cast<unsigned char>(b)));
      table[b].length = static_cast<unsigned char>(one.size());
      one.copy(table[b].bytes, one.size());
    }
    return table;
  }();
  return kTable;
}

void AppendCp1251AsUtf8(std::string& out, std::string_view cp1251) {
  // Each byte's UTF-8 form, made once: long texts (a report of every
  // employee) are converted at the speed of a copy.
  const std::array<Utf8Form, 256>& kTable = Utf8Forms();
  const std::size_t start = out.size();
  out.resize(start + 3 * cp1251.size());
  char* at = out.data() + start;
  for (const char ch : cp1251) {
    const Utf8Form& u = kTable[static_cast<unsigned char>(ch)];
    for (int k = 0; k < u.length; ++k) *at++ = u.bytes[k];
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  AppendCp1251AsUtf8(out, cp1251);
  return out;
}

}  // namespace zel
