#pragma once
// Text and number routines shared by the whole program. Texts are code page
// 1251 bytes, one byte a character; the bank's files use the DOS code page MIK.

#include <initializer_list>
#include <string>
#include <string_view>

namespace zel {

// The character AlignRight and AlignLeft fill with unless the caller names
// another (the control sheet fills its figures with "0").
inline constexpr char PadChar = ' ';

std::string WinToMik(std::string_view s);
std::string MikToWin(std::string_view s);
char MikToWin(char c);

// Trimmed, then filled on the left to `width`, or its last `width` characters.
std::string AlignRight(std::string_view s, int width, char pad = PadChar);
std::string AlignLeft(std::string_view s, int width, char pad = PadChar);
std::string RepeatChar(int n, char c);

// Leading and trailing blanks and control characters (codes up to 32) removed.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);

// The "%.2f" of every amount of the program: two decimals, rounded half away
// from zero on its decimal digits, without blanks; "-0.00" comes out as "0.00".
std::string FormatAmount(double x);

// The Latin letters a..z in capitals; every other byte as it is.
inline char ToUpperLatin(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string ToUpperLatin(std::string_view s);

// The pattern with the arguments in place of its "%s", in order. An argument
// may come from a file, so a "%s" inside one is left alone.
std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> args);

// Field n (from 1) of s, a run of separators counting as one; empty when
// there is none. A view into s.
std::string_view NthFieldView(std::string_view s, int n, char sep);
std::string MakeShortName(std::string_view name);

// Adds one to a string of decimal digits, growing it on a carry out of the front.
void IncrementDigits(std::string& digits);

}  // namespace zel
