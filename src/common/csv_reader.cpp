#include "common/csv_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"

namespace zel::csv {

namespace {

constexpr char kReplacement = '?';
constexpr unsigned char kNoBreakBlank = 0xA0;

// The code page 1251 byte of a character, or the replacement.
char ByteOf(char32_t ch, std::size_t& replaced) {
  if (ch < 0x80) return static_cast<char>(ch);
  if (ch >= 0x0410 && ch <= 0x044F) return static_cast<char>(0xC0 + (ch - 0x0410));
  // Narrow no-break, thin and figure blanks: grouping blanks of some locales.
  if (ch == 0x202F || ch == 0x2009 || ch == 0x2007) return static_cast<char>(kNoBreakBlank);
  const int byte = UnicodeToCp1251(ch);
  if (byte >= 0) return static_cast<char>(byte);
  ++replaced;
  return kReplacement;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 sequence at p (and its character), or 0 when the
// bytes there are no well-formed sequence: no overlong forms, no surrogates,
// nothing above U+10FFFF.
std::size_t Utf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& ch) {
  const unsigned char b = p[0];
  const std::size_t left = static_cast<std::size_t>(end - p);
  if (b < 0x80) {
    ch = b;
    return 1;
  }
  if (b >= 0xC2 && b <= 0xDF) {
    if (left < 2 || !IsContinuation(p[1])) return 0;
    ch = (static_cast<char32_t>(b & 0x1F) << 6) | (p[1] & 0x3F);
    return 2;
  }
  if (b >= 0xE0 && b <= 0xEF) {
    if (left < 3 || !IsContinuation(p[1]) || !IsContinuation(p[2])) return 0;
    if (b == 0xE0 && p[1] < 0xA0) return 0;   // overlong
    if (b == 0xED && p[1] >= 0xA0) return 0;  // a surrogate
    ch = (static_cast<char32_t>(b & 0x0F) << 12) | (static_cast<char32_t>(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    return 3;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (left < 4 || !IsContinuation(p[1]) || !IsContinuation(p[2]) || !IsContinuation(p[3])) return 0;
    if (b == 0xF0 && p[1] < 0x90) return 0;   // overlong
    if (b == 0xF4 && p[1] >= 0x90) return 0;  // above U+10FFFF
    ch = (static_cast<char32_t>(b & 0x07) << 18) | (static_cast<char32_t>(p[1] & 0x3F) << 12) |
         (static_cast<char32_t>(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    return 4;
  }
  return 0;
}

// Eight bytes at a time while they are ASCII: most of a table is digits and separators.
bool EightAscii(const unsigned char* p, const unsigned char* end) {
  if (end - p < 8) return false;
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080ull) == 0;
}

bool IsUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    if (EightAscii(p, end)) {
      p += 8;
      continue;
    }
    char32_t ch;
    const std::size_t n = Utf8Sequence(p, end, ch);
    if (n == 0) return false;
    p += n;
  }
  return true;
}

// UTF-16 after its byte order mark into code page 1251. A lone surrogate and
// a last odd byte become the replacement.
std::string Utf16ToCp1251(std::string_view bytes, bool bigEndian, std::size_t& replaced) {
  std::string out;
  out.reserve(bytes.size() / 2 + 1);
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? static_cast<char32_t>((a << 8) | b) : static_cast<char32_t>((b << 8) | a);
  };
  std::size_t i = 2;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t ch = unit(i);
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (ch >= 0xD800 && ch <= 0xDFFF) {
      ch = 0xFFFD;  // no character of the code page
    }
    out += ByteOf(ch, replaced);
  }
  if (i < bytes.size()) {
    ++replaced;
    out += kReplacement;
  }
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

constexpr std::array<char, 3> kSeparators = {';', '\t', ','};
// The lines the separator is judged by, and the bytes they may span.
constexpr std::size_t kSampleLines = 30;
constexpr std::size_t kSampleBytes = 64 * 1024;

}  // namespace

char FindSeparator(std::string_view text) {
  text = text.substr(0, kSampleBytes);
  // Per candidate: how often it stands on each line, outside quotes.
  std::array<std::vector<std::size_t>, kSeparators.size()> counts;
  std::array<std::size_t, kSeparators.size()> current{};
  bool quoted = false;
  std::size_t lines = 0;
  const auto endLine = [&] {
    for (std::size_t k = 0; k < kSeparators.size(); ++k) counts[k].push_back(std::exchange(current[k], 0));
    ++lines;
  };
  for (std::size_t i = 0; i < text.size() && lines < kSampleLines; ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;  // a doubled quote toggles twice
    } else if (!quoted && (c == '\n' || c == '\r')) {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endLine();
    } else if (!quoted) {
      for (std::size_t k = 0; k < kSeparators.size(); ++k) current[k] += c == kSeparators[k] ? 1 : 0;
    }
  }
  if (lines < kSampleLines) endLine();
  // The score of a candidate: on how many lines it stands its most usual number of times.
  char best = kSeparators[0];
  std::size_t bestScore = 0;
  for (std::size_t k = 0; k < kSeparators.size(); ++k) {
    std::vector<std::size_t> sorted = counts[k];
    std::sort(sorted.begin(), sorted.end());
    std::size_t score = 0;
    for (std::size_t a = 0, b = 0; a < sorted.size(); a = b) {
      while (b < sorted.size() && sorted[b] == sorted[a]) ++b;
      if (sorted[a] > 0) score = std::max(score, b - a);
    }
    if (score > bestScore) {  // on a tie the earlier candidate stays
      best = kSeparators[k];
      bestScore = score;
    }
  }
  return best;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Non-zero when a byte of the word is zero; its lowest set bit marks the first such byte.
std::uint64_t ZeroByte(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

// How many bytes (in memory order) come before the first marked one. Where
// the first byte in memory is the high one, false marks could stand before
// the true one: there the bytes are looked at one by one.
std::size_t FirstMarkedByte(std::uint64_t marks) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
  } else {
    return 0;
  }
}

// The text moved to the left over what it drops (a byte order mark, the
// quotes of a cell, the separators and line ends between cells), UTF-8
// decoded on the way: every character takes as many bytes or fewer, so the
// cells are written in place. Eight bytes at a time while none of them
// needs a look of its own.
class Splitter {
public:
  Splitter(std::string& text, std::size_t from, char sep, bool utf8, std::size_t& replaced)
      : data_(reinterpret_cast<unsigned char*>(text.data())),
        n_(text.size()),
        in_(from),
        sep_(static_cast<unsigned char>(sep)),
        utf8_(utf8),
        replaced_(replaced) {}

  bool AtEnd() const { return in_ >= n_; }
  unsigned char Peek() const { return data_[in_]; }
  std::size_t out() const { return out_; }
  std::uint32_t line() const { return line_; }

  // A cell, its quotes taken off; stops at its separator or line end.
  void Cell() {
    if (AtEnd() || Peek() != '"') {
      Copy(false);
      return;
    }
    ++in_;
    for (;;) {
      Copy(true);
      if (AtEnd()) return;  // no closing quote: the cell runs to the end
      if (in_ + 1 < n_ && data_[in_ + 1] == '"') {
        data_[out_++] = '"';
        in_ += 2;
        continue;
      }
      ++in_;
      break;
    }
    // What follows the closing quote up to the separator belongs to the cell, as spreadsheets read it.
    Copy(false);
  }

  // After a cell: true when a separator follows (and is passed), false at a
  // line end (passed too) or the end.
  bool NextCell() {
    if (AtEnd()) return false;
    if (Peek() == sep_) {
      ++in_;
      return true;
    }
    in_ += Peek() == '\r' && in_ + 1 < n_ && data_[in_ + 1] == '\n' ? 2 : 1;
    ++line_;
    return false;
  }

private:
  // Copies up to the next stop: the separator and line ends outside quotes,
  // the quote inside them (where line ends are copied and counted). The
  // position is kept in locals: the compiler cannot keep members in
  // registers beside the count of replacements it writes through.
  void Copy(bool quoted) {
    unsigned char* const d = data_;
    const std::size_t n = n_;
    std::size_t in = in_, out = out_;
    const unsigned char stopByte = quoted ? '"' : sep_;
    const std::uint64_t stop = stopByte * kOnes, cr = '\r' * kOnes, lf = '\n' * kOnes;
    const std::uint64_t high = utf8_ ? kHighBits : 0;
    while (in < n) {
      if (n - in >= 8) {
        std::uint64_t word;
        std::memcpy(&word, d + in, sizeof word);
        const std::uint64_t marks = (word & high) | ZeroByte(word ^ stop) | ZeroByte(word ^ cr) | ZeroByte(word ^ lf);
        // The bytes before the first that needs a look go as they are. The
        // lowest mark is exact (a false one stands only above a true one);
        // the word is stored whole where that overwrites no unread byte.
        const std::size_t plain = marks == 0 ? 8 : FirstMarkedByte(marks);
        if (plain > 0) {
          if (in - out >= 8 || in == out) {
            std::memcpy(d + out, &word, sizeof word);
          } else {
            std::memmove(d + out, d + in, plain);
          }
          in += plain;
          out += plain;
          continue;
        }
      }
      const unsigned char c = d[in];
      if (c == stopByte || ((c == '\n' || c == '\r') && !quoted)) break;
      if (c == '\n' || (c == '\r' && (in + 1 == n || d[in + 1] != '\n'))) ++line_;
      if (c < 0x80 || !utf8_) {
        d[out++] = c;
        ++in;
        continue;
      }
      const auto cyrillic = [d, n](std::size_t at) {
        return at + 1 < n && (d[at] == 0xD0 || d[at] == 0xD1) && IsContinuation(d[at + 1]);
      };
      if (!cyrillic(in)) {
        char32_t ch = 0;
        const std::size_t length = Utf8Sequence(d + in, d + n, ch);
        if (length == 0) ++replaced_;
        d[out++] = static_cast<unsigned char>(length == 0 ? kReplacement : ByteOf(ch, replaced_));
        in += length == 0 ? 1 : length;
        continue;
      }
      // Cyrillic, most of what is not ASCII in a Bulgarian table, a word at a time.
      do {
        const char32_t ch = (static_cast<char32_t>(d[in] & 0x1F) << 6) | (d[in + 1] & 0x3F);
        d[out++] = ch - 0x0410 < 0x40 ? static_cast<unsigned char>(0xC0 + (ch - 0x0410))
                                      : static_cast<unsigned char>(ByteOf(ch, replaced_));
        in += 2;
      } while (cyrillic(in));
    }
    in_ = in;
    out_ = out;
  }

  unsigned char* data_;
  std::size_t n_;
  std::size_t in_;
  std::size_t out_ = 0;
  unsigned char sep_;
  bool utf8_;
  std::size_t& replaced_;
  std::uint32_t line_ = 1;
};

}  // namespace

Table::Table(std::string bytes) : text_(std::move(bytes)) {
  const std::string_view raw(text_);
  std::size_t from = 0;
  if (StartsWith(raw, "\xFF\xFE") || StartsWith(raw, "\xFE\xFF")) {
    encoding_ = Encoding::Utf16;
    text_ = Utf16ToCp1251(raw, raw[0] == '\xFE', replaced_);
  } else if (StartsWith(raw, "\xEF\xBB\xBF")) {
    encoding_ = Encoding::Utf8;
    from = 3;
  } else {
    encoding_ = IsUtf8(raw) ? Encoding::Utf8 : Encoding::Cp1251;
  }
  // The separators, quotes and line ends are the same bytes in UTF-8 and in code page 1251.
  separator_ = FindSeparator(std::string_view(text_).substr(from));
  Split(from);
}

void Table::Split(std::size_t from) {
  if (text_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    text_.clear();
    complete_ = false;
    return;
  }
  // Room for the cells at the rate of the first lines: no regrowth of a large table.
  const std::string_view sample = std::string_view(text_).substr(from, kSampleBytes);
  const std::size_t sampleCells = 1 + static_cast<std::size_t>(std::count(sample.begin(), sample.end(), separator_) +
                                                               std::count(sample.begin(), sample.end(), '\n'));
  const std::size_t estimate = sampleCells * (text_.size() / std::max<std::size_t>(sample.size(), 1) + 1);
  cells_.reserve(std::min(kMaxCells, estimate));

  Splitter split(text_, from, separator_, encoding_ == Encoding::Utf8, replaced_);
  while (!split.AtEnd()) {
    if (lines_.size() == kMaxRows) {
      complete_ = false;
      break;
    }
    lines_.push_back(split.line());
    do {
      if (cells_.size() == kMaxCells) {
        complete_ = false;
        break;
      }
      const std::size_t begin = split.out();
      split.Cell();
      cells_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(split.out() - begin)});
    } while (split.NextCell());
    rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
    if (!complete_) break;
  }
  text_.resize(split.out());
}

Status ReadSpreadsheetFile(FileSystem& fs, const std::string& path, std::string& bytes) {
  bytes.clear();
  const std::string shown = files::ShownPath(files::FullPath(fs, path));
  const auto refuse = [&shown](const char* utf8Pattern, std::string_view reason = {}) {
    return Status::Fail(FillPattern(Cp(utf8Pattern), {shown, reason}));
  };
  std::uint64_t size = 0;
  if (Status s = fs.FileSize(path, size); !s.ok()) {
    return refuse("Файлът „%s“ не може да бъде прочетен: %s.", s.message());
  }
  if (size > kMaxFileBytes) return refuse("Файлът „%s“ е по-голям от 50 MB: това не е таблица със суми.");
  if (Status s = fs.ReadAll(path, bytes); !s.ok()) {
    return refuse("Файлът „%s“ не може да бъде прочетен: %s.", s.message());
  }
  // It may have grown since its size was asked.
  if (bytes.size() > kMaxFileBytes) {
    bytes.clear();
    return refuse("Файлът „%s“ е по-голям от 50 MB: това не е таблица със суми.");
  }
  if (bytes.empty()) return refuse("Файлът „%s“ е празен.");
  return Status::Ok();
}

}  // namespace zel::csv
