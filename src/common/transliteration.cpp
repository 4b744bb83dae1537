#include "common/transliteration.h"

namespace zel {

namespace {

// What each byte of code page 1251 becomes, looked up once per character.
enum class Kind : unsigned char { Letter, Sign, Blank, Dropped };

struct Spelling {
  Kind kind = Kind::Blank;
  bool upper = false;
  const char* latin = "";  // a letter's Latin letters, in small letters; a sign itself
};

// а..я in code page 1251 order. The law's table has no ы and э (and ё is
// outside the range); they are given their usual reading so that a Russian
// name still comes out whole.
constexpr const char* kLetters[32] = {"a",  "b",  "v",  "g",   "d", "e", "zh", "z", "i",  "y", "k",
                                      "l",  "m",  "n",  "o",   "p", "r", "s",  "t", "u",  "f", "h",
                                      "ts", "ch", "sh", "sht", "a", "y", "y",  "e", "yu", "ya"};

struct Table {
  Spelling bytes[256];
  char signs[256][2] = {};  // the byte itself as a text, for the signs kept
};

const Table& Spellings() {
  static const Table table = [] {
    Table t;
    for (int b = 0; b < 256; ++b) {
      t.signs[b][0] = static_cast<char>(b);
      Spelling& s = t.bytes[b];
      if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) {
        s = {Kind::Letter, b <= 'Z', t.signs[b]};
      } else if (b >= 0xC0) {
        s = {Kind::Letter, b < 0xE0, kLetters[(b - 0xC0) % 32]};
      } else if (b == 0xA8 || b == 0xB8) {  // Ё ё
        s = {Kind::Letter, b == 0xA8, "yo"};
      } else if ((b >= '0' && b <= '9') ||
                 std::string_view("/-?:().,'+").find(static_cast<char>(b)) != std::string_view::npos) {
        s = {Kind::Sign, false, t.signs[b]};
      } else if (b == '&') {
        s = {Kind::Sign, false, "+"};
      } else if (b == 0xB9 || b == 0x84 || b == 0x93 || b == 0xAB || b == 0xBB) {  // № „ “ « »
        s.kind = Kind::Dropped;
      }
    }
    return t;
  }();
  return table;
}

const Spelling& Of(const Table& t, char c) { return t.bytes[static_cast<unsigned char>(c)]; }

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The Latin letters in the case of the Cyrillic one: all capitals in a word
// of capitals ("ЩЕРЕВ" → "SHTEREV"), else only the first ("Щерю" → "Shteryu").
// Written through a pointer into room made beforehand: at most three letters
// for each byte of the text.
char* Append(char* out, const char* latin, bool upper, bool wordInCapitals) {
  if (upper) *out++ = Capital(*latin++);
  for (; *latin != '\0'; ++latin) *out++ = upper && wordInCapitals ? Capital(*latin) : *latin;
  return out;
}

bool IsSmall(char c, unsigned char small) {
  const auto b = static_cast<unsigned char>(c);
  return b == small || b == small - 0x20;
}

bool IsBulgaria(std::string_view word) {
  static const unsigned char kBulgaria[] = {0xE1, 0xFA, 0xEB, 0xE3, 0xE0, 0xF0, 0xE8, 0xFF};  // българия
  if (word.size() != sizeof kBulgaria) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (!IsSmall(word[i], kBulgaria[i])) return false;
  }
  return true;
}

char* AppendWord(const Table& t, char* out, std::string_view word, bool inCapitals) {
  if (IsBulgaria(word)) return Append(out, "bulgaria", Of(t, word[0]).upper, inCapitals);
  for (std::size_t i = 0; i < word.size(); ++i) {
    const Spelling& s = Of(t, word[i]);
    // "ия" that ends the word is "ia": Мария → Maria, but Вилияна → Viliyana.
    if (i + 2 == word.size() && IsSmall(word[i], 0xE8) && IsSmall(word[i + 1], 0xFF)) {
      out = Append(out, "i", s.upper, inCapitals);
      return Append(out, "a", Of(t, word[i + 1]).upper, true);
    }
    out = Append(out, s.latin, s.upper, inCapitals);
  }
  return out;
}

}  // namespace

std::string TransliterateToLatin(std::string_view cp1251) {
  const Table& t = Spellings();
  // "щ" is the longest: three letters.
  std::string out(3 * cp1251.size(), '\0');
  char* const first = out.data();
  char* w = first;
  bool blank = true;  // no blank at the start, nor two in a row
  for (std::size_t i = 0; i < cp1251.size();) {
    const Spelling& s = Of(t, cp1251[i]);
    if (s.kind == Kind::Letter) {
      std::size_t end = i + 1;
      std::size_t capitals = s.upper ? 1 : 0;
      for (; end < cp1251.size() && Of(t, cp1251[end]).kind == Kind::Letter; ++end) {
        capitals += Of(t, cp1251[end]).upper ? 1 : 0;
      }
      const std::size_t length = end - i;
      w = AppendWord(t, w, cp1251.substr(i, length), length > 1 && capitals == length);
      blank = false;
      i = end;
      continue;
    }
    ++i;
    if (s.kind == Kind::Sign) {
      *w++ = *s.latin;
      blank = false;
    } else if (s.kind == Kind::Blank && !blank) {
      *w++ = ' ';
      blank = true;
    }
  }
  if (w != first && w[-1] == ' ') --w;
  out.resize(static_cast<std::size_t>(w - first));
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
