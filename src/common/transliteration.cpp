#include "common/transliteration.h"

#include <array>

namespace zel {

namespace {

constexpr unsigned char kCapitalA = 0xC0;  // А; а is 0xE0, я 0xFF
constexpr unsigned char kCapitalYo = 0xA8;
constexpr unsigned char kSmallYo = 0xB8;

// а..я in code page 1251 order. The law's table has no ы and э (and ё is
// outside the range); they are given their usual reading so that a Russian
// name still comes out whole.
constexpr std::array<const char*, 32> kLetters = {
    "a", "b", "v", "g",  "d",  "e",   "zh", "z", "i", "y", "k", "l", "m",  "n",  "o",  "p",
    "r", "s", "t", "u",  "f",  "h",   "ts", "ch", "sh", "sht", "a", "y", "y", "e", "yu", "ya"};

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }
bool IsCyrillicLetter(char c) { return Byte(c) >= kCapitalA || Byte(c) == kCapitalYo || Byte(c) == kSmallYo; }
bool IsLatinLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsLetter(char c) { return IsCyrillicLetter(c) || IsLatinLetter(c); }
bool IsUpper(char c) { return (Byte(c) >= kCapitalA && Byte(c) < 0xE0) || Byte(c) == kCapitalYo || (c >= 'A' && c <= 'Z'); }

// The small letter of a Cyrillic capital; other bytes as they are.
char Small(char c) {
  if (Byte(c) == kCapitalYo) return static_cast<char>(kSmallYo);
  if (Byte(c) >= kCapitalA && Byte(c) < 0xE0) return static_cast<char>(Byte(c) + 0x20);
  return c;
}

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The Latin letters of a small Cyrillic letter.
std::string_view LatinOf(char small) {
  if (Byte(small) == kSmallYo) return "yo";
  return kLetters[Byte(small) - 0xE0];
}

// The Latin letters written in the case of the Cyrillic one: all capitals in
// a word of capitals ("ЩЕРЕВ" → "SHTEREV"), else only the first ("Щерю" → "Shteryu").
void Append(std::string& out, std::string_view latin, bool upper, bool wordInCapitals) {
  for (std::size_t i = 0; i < latin.size(); ++i) out += upper && (i == 0 || wordInCapitals) ? Capital(latin[i]) : latin[i];
}

bool IsBulgaria(std::string_view word) {
  static const std::string_view kBulgaria = "\xE1\xFA\xEB\xE3\xE0\xF0\xE8\xFF";  // българия
  if (word.size() != kBulgaria.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Small(word[i]) != kBulgaria[i]) return false;
  }
  return true;
}

void AppendWord(std::string& out, std::string_view word) {
  std::size_t capitals = 0;
  for (const char c : word) capitals += IsUpper(c) ? 1 : 0;
  const bool inCapitals = word.size() > 1 && capitals == word.size();
  if (IsBulgaria(word)) {
    Append(out, "bulgaria", IsUpper(word[0]), inCapitals);
    return;
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if (IsLatinLetter(c)) {
      out += c;
      continue;
    }
    const char small = Small(c);
    // "ия" that ends the word is "ia": Мария → Maria, but Вилияна → Viliyana.
    if (small == '\xE8' && i + 2 == word.size() && Small(word[i + 1]) == '\xFF') {
      Append(out, "i", IsUpper(c), inCapitals);
      Append(out, "a", IsUpper(word[i + 1]), true);
      return;
    }
    Append(out, LatinOf(small), IsUpper(c), inCapitals);
  }
}

bool IsLatinSign(char c) {
  static const std::string_view kSigns = "/-?:().,'+ ";
  return (c >= '0' && c <= '9') || kSigns.find(c) != std::string_view::npos;
}

// Left out altogether: "№" and the quotes „ “ « ».
bool IsDropped(char c) {
  static const std::string_view kDropped = "\xB9\x84\x93\xAB\xBB";
  return kDropped.find(c) != std::string_view::npos;
}

}  // namespace

bool IsEpcLatin(std::string_view text) {
  for (const char c : text) {
    if (!IsLatinLetter(c) && !IsLatinSign(c)) return false;
  }
  return true;
}

std::string TransliterateToLatin(std::string_view cp1251) {
  std::string spelt;
  spelt.reserve(cp1251.size() + cp1251.size() / 4);
  for (std::size_t i = 0; i < cp1251.size();) {
    if (IsLetter(cp1251[i])) {
      std::size_t end = i;
      while (end < cp1251.size() && IsLetter(cp1251[end])) ++end;
      AppendWord(spelt, cp1251.substr(i, end - i));
      i = end;
      continue;
    }
    const char c = cp1251[i++];
    if (IsDropped(c)) continue;
    spelt += c == '&' ? '+' : IsLatinSign(c) ? c : ' ';
  }
  std::string out;
  out.reserve(spelt.size());
  for (const char c : spelt) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string CutAtWord(std::string_view text, std::size_t limit) {
  if (text.size() > limit) {
    // A blank right after the limit ends a word that fits whole.
    const std::size_t blank = text.substr(0, limit + 1).rfind(' ');
    text = blank == std::string_view::npos || blank == 0 ? text.substr(0, limit) : text.substr(0, blank);
  }
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace zel
