#pragma once
// Text and number routines shared by the whole program. Texts are code page
// 1251 bytes, one byte a character; the bank's files use the DOS code page MIK.

#include <string>
#include <string_view>

namespace zel {

// The data directory: the current directory at start followed by the
// separator; empty until the start-up records it.
const std::string& DataDir();
void SetDataDir(const std::string& directory);
// DataDir() followed by the bare file name.
std::string DataFile(std::string_view name);

// The character PadString, AlignRight and AlignLeft fill with; a space at start.
char PadChar();
void SetPadChar(char c);
// Sets the pad character for a scope and puts the space back at its end.
class PadCharScope {
public:
  explicit PadCharScope(char c) { SetPadChar(c); }
  ~PadCharScope() { SetPadChar(' '); }
  PadCharScope(const PadCharScope&) = delete;
  PadCharScope& operator=(const PadCharScope&) = delete;
};

std::string WinToMik(std::string_view s);
std::string MikToWin(std::string_view s);

std::string PadString(int n);
std::string TakeRight(std::string_view s, int n);
std::string AlignRight(std::string_view s, int width);
std::string AlignLeft(std::string_view s, int width);
std::string RepeatChar(int n, char c);

// Leading and trailing blanks and control characters (codes up to 32) removed.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);

// Fixed-point text of x with `decimals` decimals, rounded half away from zero
// on its decimal digits; "-0.00" comes out as "0.00".
std::string FormatFixed(int width, int decimals, double x);
// FormatFixed(0, 2, x): the "%.2f" of every amount of the program.
std::string FormatAmount(double x);

std::string NthField(std::string_view s, int n, char sep);
std::string MakeShortName(std::string_view name);

}  // namespace zel
