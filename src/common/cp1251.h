#pragma once
// Code page 1251, the single-byte code page of every text inside the program.
// Every one of the 256 bytes maps to one Unicode character and back (the one
// byte the code page leaves unassigned, 0x98, maps to U+0098).

#include <array>
#include <string>
#include <string_view>

namespace zel {

char32_t Cp1251ToUnicode(unsigned char byte);
// The byte of a Unicode character, or -1 when code page 1251 has none.
int UnicodeToCp1251(char32_t ch);

// The UTF-8 bytes of each byte of the code page: one, two or three.
struct Utf8Form {
  unsigned char length;
  char bytes[3];
};
const std::array<Utf8Form, 256>& Utf8Forms();

// UTF-8 (source literals, logs) to code page 1251; characters the code page
// cannot hold become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);
// Cp1251ToUtf8 appended to `out`.
void AppendCp1251AsUtf8(std::string& out, std::string_view cp1251);

// Shorthand for the program's own texts written in UTF-8 source files.
inline std::string Cp(std::string_view utf8) { return Utf8ToCp1251(utf8); }

}  // namespace zel
