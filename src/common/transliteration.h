#pragma once
// Cyrillic texts in Latin letters, as a SEPA payment carries names and
// reasons: the Bulgarian transliteration law's table letter by letter, then
// only the Latin characters every bank of the euro area takes (a-z A-Z 0-9
// / - ? : ( ) . , ' + and the blank). Texts in are code page 1251.

#include <cstddef>
#include <string>
#include <string_view>

namespace zel {

// The text in the Latin set: each Cyrillic letter by the law's table
// ("ия" ending a word as "ia", "България" as "Bulgaria", "Zh"/"ZH" after the
// case of the word), "&" as "+", the quotes „“«» and "№" left out, any other
// character a blank; runs of blanks made one, none at either end.
std::string TransliterateToLatin(std::string_view cp1251);

// At most `limit` characters: cut after the last whole word that fits, or
// hard at `limit` when the first word alone is longer; no blank at the end.
std::string CutAtWord(std::string_view text, std::size_t limit);

}  // namespace zel
