#pragma once
// Text and number routines shared by the whole program. Texts are code page
// 1251 bytes, one byte a character; the bank's files use the DOS code page MIK.

#include <string>
#include <string_view>

namespace zel {

// The character PadString, AlignRight and AlignLeft fill with unless the
// caller names another (the control sheet fills its figures with "0").
inline constexpr char PadChar = ' ';

std::string WinToMik(std::string_view s);
std::string MikToWin(std::string_view s);
char MikToWin(char c);

std::string PadString(int n, char pad = PadChar);
std::string TakeRight(std::string_view s, int n);
std::string AlignRight(std::string_view s, int width, char pad = PadChar);
std::string AlignLeft(std::string_view s, int width, char pad = PadChar);
std::string RepeatChar(int n, char c);

// Leading and trailing blanks and control characters (codes up to 32) removed.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);

// Fixed-point text of x with `decimals` decimals, rounded half away from zero
// on its decimal digits, without blanks; "-0.00" comes out as "0.00".
std::string FormatFixed(int decimals, double x);
// FormatFixed(2, x): the "%.2f" of every amount of the program.
std::string FormatAmount(double x);

// The text with the Latin letters a..z in capitals; every other byte as it is.
std::string ToUpperLatin(std::string_view s);

std::string NthField(std::string_view s, int n, char sep);
// The same field as a view into s.
std::string_view NthFieldView(std::string_view s, int n, char sep);
std::string MakeShortName(std::string_view name);

// Adds one to a string of decimal digits, growing it on a carry out of the front.
void IncrementDigits(std::string& digits);

}  // namespace zel
