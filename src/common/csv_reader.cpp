#include "common/csv_reader.h"

#include <algorithm>
#include <array>
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

// UTF-8 from `from` on into code page 1251 in place, from the start of the
// text (each character takes fewer bytes, never more). A byte that starts no
// well-formed sequence becomes the replacement.
void Utf8InPlace(std::string& text, std::size_t from, std::size_t& replaced) {
  auto* const base = reinterpret_cast<unsigned char*>(text.data());
  const unsigned char* p = base + from;
  const unsigned char* const end = base + text.size();
  unsigned char* out = base;
  while (p < end) {
    if (EightAscii(p, end)) {
      std::memmove(out, p, 8);
      out += 8;
      p += 8;
      continue;
    }
    char32_t ch;
    const std::size_t n = Utf8Sequence(p, end, ch);
    if (n == 0) {
      ++replaced;
      *out++ = kReplacement;
      ++p;
      continue;
    }
    *out++ = static_cast<unsigned char>(ByteOf(ch, replaced));
    p += n;
  }
  text.resize(static_cast<std::size_t>(out - base));
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

Table::Table(std::string bytes) : text_(std::move(bytes)) {
  const std::string_view raw(text_);
  if (StartsWith(raw, "\xFF\xFE") || StartsWith(raw, "\xFE\xFF")) {
    encoding_ = Encoding::Utf16;
    text_ = Utf16ToCp1251(raw, raw[0] == '\xFE', replaced_);
  } else if (StartsWith(raw, "\xEF\xBB\xBF")) {
    encoding_ = Encoding::Utf8;
    Utf8InPlace(text_, 3, replaced_);
  } else if (IsUtf8(raw)) {
    encoding_ = Encoding::Utf8;
    Utf8InPlace(text_, 0, replaced_);
  } else {
    encoding_ = Encoding::Cp1251;
  }
  separator_ = FindSeparator(text_);
  Split();
}

void Table::Split() {
  if (text_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    complete_ = false;
    return;
  }
  const char sep = separator_;
  char* const data = text_.data();
  const std::size_t n = text_.size();
  // Room for the cells at the rate of the first lines: no regrowth of a large table.
  const std::size_t sample = std::min(n, kSampleBytes);
  std::size_t sampleCells = 1;
  for (std::size_t i = 0; i < sample; ++i) sampleCells += data[i] == sep || data[i] == '\n' ? 1 : 0;
  cells_.reserve(std::min(kMaxCells, sampleCells * (n / std::max<std::size_t>(sample, 1) + 1)));

  const auto isEnd = [sep](char c) { return c == sep || c == '\n' || c == '\r'; };
  std::size_t pos = 0;
  std::uint32_t line = 1;
  while (pos < n) {
    if (lines_.size() == kMaxRows) {
      complete_ = false;
      break;
    }
    lines_.push_back(line);
    for (;;) {
      if (cells_.size() == kMaxCells) {
        complete_ = false;
        rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
        return;
      }
      const std::size_t begin = pos;
      std::size_t end = pos;
      if (pos < n && data[pos] == '"') {
        // The quoted text moves left over its quotes: the cell is unquoted in place.
        std::size_t in = pos + 1;
        for (;;) {
          const auto* quote = static_cast<const char*>(std::memchr(data + in, '"', n - in));
          const std::size_t at = quote != nullptr ? static_cast<std::size_t>(quote - data) : n;
          for (std::size_t i = in; i < at; ++i) {
            line += data[i] == '\n' || (data[i] == '\r' && (i + 1 == n || data[i + 1] != '\n')) ? 1 : 0;
          }
          std::memmove(data + end, data + in, at - in);
          end += at - in;
          in = at + 1;
          if (at + 1 < n && data[at + 1] == '"') {
            data[end++] = '"';
            ++in;
            continue;
          }
          break;
        }
        // What follows the closing quote up to the separator belongs to the cell, as spreadsheets read it.
        std::size_t stop = std::min(in, n);
        while (stop < n && !isEnd(data[stop])) ++stop;
        const std::size_t from = std::min(in, n);
        std::memmove(data + end, data + from, stop - from);
        end += stop - from;
        pos = stop;
      } else {
        while (pos < n && !isEnd(data[pos])) ++pos;
        end = pos;
      }
      cells_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end - begin)});
      if (pos < n && data[pos] == sep) {
        ++pos;
        continue;
      }
      if (pos < n) {
        pos += data[pos] == '\r' && pos + 1 < n && data[pos + 1] == '\n' ? 2 : 1;
        ++line;
      }
      break;
    }
    rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
  }
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
