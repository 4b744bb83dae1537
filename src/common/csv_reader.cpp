#include "common/csv_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

#include "common/byte_blocks.h"
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

// UTF-16 after its byte order mark into code page 1251. A lone surrogate and
// a last odd byte become the replacement.
files::FileBytes Utf16ToCp1251(std::string_view bytes, bool bigEndian, std::size_t& replaced) {
  files::FileBytes out;
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
    out.push_back(ByteOf(ch, replaced));
  }
  if (i < bytes.size()) {
    ++replaced;
    out.push_back(kReplacement);
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

// Whether a text is UTF-8, and how many of its characters code page 1251
// lacks, told 64 bytes at a time as the search for cells passes them. A
// group of ASCII and two-byte Cyrillic the code page holds (the bulk of a
// Bulgarian table) is judged sixteen bytes at a time; any other is looked at
// character by character. A text with the byte order mark is UTF-8 whatever
// it holds: a broken sequence is then one more character replaced.
class Utf8Check {
public:
  static constexpr std::size_t kGroup = 64;

  Utf8Check(const unsigned char* text, std::size_t size, std::size_t from, bool marked)
      : d_(text), n_(size), checked_(from), marked_(marked) {}

  bool utf8() const { return utf8_; }
  std::size_t replaced() const { return utf8_ ? replaced_ : 0; }

  // The group of bytes from `at` on (fewer at the end of the text).
  void Look(std::size_t at) {
    if (!utf8_) return;
    if (checked_ == at && at > 0 && n_ - at >= kGroup && Letters(d_ + at)) {
      checked_ = at + kGroup;
      pendingLead_ = d_[checked_ - 1] == 0xD0 || d_[checked_ - 1] == 0xD1;
      return;
    }
    if (pendingLead_) --checked_;  // its character begins with the lead before the group
    pendingLead_ = false;
    OneByOne(std::min(at + kGroup, n_));
  }
  // After the last group: a lead that ended it.
  void Finish() {
    if (!utf8_ || !pendingLead_) return;
    --checked_;
    pendingLead_ = false;
    OneByOne(n_);
  }

private:
  // Whether the 64 bytes at p are ASCII and А..я (0xD0 0x90..0xBF, 0xD1
  // 0x80..0x8F), a lead at their end aside, the byte before them included.
  static bool Letters(const unsigned char* p) {
    const Bytes16 d0 = Bytes16::Fill(0xD0), d1 = Bytes16::Fill(0xD1), zero = Bytes16::Fill(0);
    const Bytes16 to90 = Bytes16::Fill(0x90), toC0 = Bytes16::Fill(0xC0);
    Bytes16 wrong = zero;
    for (std::size_t k = 0; k < kGroup; k += Bytes16::kSize) {
      const Bytes16 v = Bytes16::Load(p + k), before = Bytes16::Load(p + k - 1);
      const Bytes16 afterD0 = before == d0, afterD1 = before == d1;
      const Bytes16 high = v.SignedBelow(zero), continuation = v.SignedBelow(toC0), below90 = v.SignedBelow(to90);
      const Bytes16 follows = (afterD0 & continuation.Without(below90)) | (afterD1 & below90);
      // A lead not followed as it should be; a high byte neither a lead nor a follower.
      wrong = wrong | ((afterD0 | afterD1) ^ follows) | high.Without((v == d0) | (v == d1) | follows);
    }
    return wrong.Mask() == 0;
  }

  // From the first character not yet looked at to `until` or past it.
  void OneByOne(std::size_t until) {
    std::size_t at = checked_;
    while (at < until) {
      if (d_[at] < 0x80) {
        ++at;
        continue;
      }
      char32_t ch = 0;
      const std::size_t length = Utf8Sequence(d_ + at, d_ + n_, ch);
      if (length == 0) {
        if (!marked_) {
          utf8_ = false;
          return;
        }
        ++replaced_;
        ++at;
        continue;
      }
      ByteOf(ch, replaced_);
      at += length;
    }
    checked_ = at;
  }

  const unsigned char* d_;
  std::size_t n_;
  std::size_t checked_;       // the first character not yet looked at
  bool pendingLead_ = false;  // a lead ends the bytes looked at; its follower is the next group's
  bool marked_;
  bool utf8_ = true;
  std::size_t replaced_ = 0;
};

// UTF-8 in [in, end) decoded into code page 1251 from `out` on (out <= in:
// every character takes as many bytes or fewer); returns where it ends.
std::size_t DecodeUtf8(unsigned char* d, std::size_t in, std::size_t end, std::size_t out) {
  std::size_t ignored = 0;  // counted when the file was read
  while (in < end) {
    const unsigned char c = d[in];
    if (c < 0x80) {
      d[out++] = c;
      ++in;
    } else if (c == 0xD0 && in + 1 < end && d[in + 1] >= 0x90 && d[in + 1] <= 0xBF) {
      d[out++] = static_cast<unsigned char>(d[in + 1] + 0x30);  // А..п
      in += 2;
    } else if (c == 0xD1 && in + 1 < end && d[in + 1] >= 0x80 && d[in + 1] <= 0x8F) {
      d[out++] = static_cast<unsigned char>(d[in + 1] + 0x70);  // р..я
      in += 2;
    } else {
      char32_t ch = 0;
      const std::size_t length = Utf8Sequence(d + in, d + end, ch);
      d[out++] = static_cast<unsigned char>(length == 0 ? kReplacement : ByteOf(ch, ignored));
      in += length == 0 ? 1 : length;
    }
  }
  return out;
}

constexpr std::size_t kBlock = Utf8Check::kGroup;

// Bit i for byte i of 64: the separator, quotes and line ends; the bytes from 0x80 up.
struct BlockMasks {
  std::uint64_t marks = 0;
  std::uint64_t high = 0;
};

BlockMasks MasksOf(const unsigned char* p, unsigned char sep) {
  const Bytes16 separator = Bytes16::Fill(sep), quote = Bytes16::Fill('"');
  const Bytes16 cr = Bytes16::Fill('\r'), lf = Bytes16::Fill('\n');
  BlockMasks m;
  const auto part = [&](std::size_t k) {
    const Bytes16 v = Bytes16::Load(p + k);
    m.marks |= static_cast<std::uint64_t>(((v == separator) | (v == quote) | (v == cr) | (v == lf)).Mask()) << k;
    m.high |= static_cast<std::uint64_t>(v.Mask()) << k;
  };
  part(0);
  part(16);
  part(32);
  part(48);
  return m;
}

}  // namespace

namespace {

files::FileBytes BytesOf(std::string_view text) {
  files::FileBytes bytes(text.size());
  if (!text.empty()) std::memcpy(bytes.data(), text.data(), text.size());
  return bytes;
}

}  // namespace

Table::Table(std::string_view bytes) : Table(BytesOf(bytes)) {}

Table::Table(files::FileBytes bytes) : text_(std::move(bytes)) {
  const std::string_view raw(text_.data(), text_.size());
  std::size_t from = 0;
  bool mark = false;
  if (StartsWith(raw, "\xFF\xFE") || StartsWith(raw, "\xFE\xFF")) {
    encoding_ = Encoding::Utf16;
    text_ = Utf16ToCp1251(raw, raw[0] == '\xFE', replaced_);
  } else if (StartsWith(raw, "\xEF\xBB\xBF")) {
    from = 3;
    mark = true;
  }
  // The separators, quotes and line ends are the same bytes in UTF-8 and in code page 1251.
  separator_ = FindSeparator(std::string_view(text_.data(), text_.size()).substr(from));
  Read(from, mark);
}

// The rows and cells of the text from `from` on, as RFC 4180 quotes them
// and spreadsheets read them, and its encoding (unless UTF-16, already
// decoded). One pass over the text, 64 bytes at a time; within a block only
// the separators, quotes and line ends are visited.
void Table::Read(std::size_t from, bool utf8Mark) {
  const std::size_t n = text_.size();
  if (n > ~kUndecoded) {
    text_.clear();
    complete_ = false;
    return;
  }
  auto* const d = reinterpret_cast<unsigned char*>(text_.data());
  const auto sep = static_cast<unsigned char>(separator_);
  const bool checkUtf8 = encoding_ != Encoding::Utf16;
  Utf8Check check(d, n, from, utf8Mark);

  // Room for the rows and cells at the rate of the first lines: no regrowth of a large table.
  const std::string_view sample = std::string_view(text_.data(), n).substr(from, kSampleBytes);
  const auto sampleRows = 1 + static_cast<std::size_t>(std::count(sample.begin(), sample.end(), '\n'));
  const auto sampleCells = sampleRows + static_cast<std::size_t>(std::count(sample.begin(), sample.end(), separator_));
  const std::size_t scale = n / std::max<std::size_t>(sample.size(), 1) + 1;
  cells_.reserve(std::min(kMaxCells, sampleCells * scale));
  lines_.reserve(std::min(kMaxRows, sampleRows * scale));
  rowFirst_.reserve(std::min(kMaxRows, sampleRows * scale) + 1);

  std::vector<std::uint32_t> quotedCells;
  std::size_t next = from;  // the marks before it are taken: an opening quote, a doubled one, the LF of CR LF
  std::size_t cellBegin = from;
  std::size_t highEnd = 0;  // one past the last byte from 0x80 up before the block
  bool cellQuoted = false;  // the cell began with a quote
  bool quoted = false;      // within its quotes
  bool rowOpen = false, stopped = false;
  std::uint32_t line = 1;
  // The cell from `at` on: false (the row closed) when the table has as many as it keeps.
  const auto openCell = [&](std::size_t at) {
    if (cells_.size() == kMaxCells) {
      complete_ = false;
      rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
      rowOpen = false;
      return false;
    }
    cellBegin = next = at;
    cellQuoted = quoted = at < n && d[at] == '"';
    if (quoted) {
      quotedCells.push_back(static_cast<std::uint32_t>(cells_.size()));
      next = at + 1;
    }
    return true;
  };
  const auto openRow = [&](std::size_t at) {
    if (lines_.size() == kMaxRows) {
      complete_ = false;
      return false;
    }
    lines_.push_back(line);
    rowOpen = true;
    return openCell(at);
  };

  if (from < n) stopped = !openRow(from);
  for (std::size_t base = from; base < n; base += kBlock) {
    if (checkUtf8) check.Look(base);
    BlockMasks m;
    if (n - base >= kBlock) {
      m = MasksOf(d + base, sep);
    } else {
      unsigned char tail[kBlock] = {};
      std::memcpy(tail, d + base, n - base);
      m = MasksOf(tail, sep);
    }
    for (std::uint64_t marks = stopped ? 0 : m.marks; marks != 0; marks &= marks - 1) {
      const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(marks));
      if (at < next) continue;
      const unsigned char c = d[at];
      if (quoted) {
        if (c == '"') {
          // A doubled quote stands for one; a single one closes the quotes.
          const bool doubled = at + 1 < n && d[at + 1] == '"';
          next = at + (doubled ? 2 : 1);
          quoted = doubled;
        } else if (c == '\n' || (c == '\r' && (at + 1 == n || d[at + 1] != '\n'))) {
          ++line;
        }
        continue;
      }
      if (c == '"') continue;  // inside a cell a quote is a quote
      // The cell ends; it is decoded when read if it has a byte from 0x80 up.
      const std::uint64_t before = m.high & ((std::uint64_t{1} << (at - base)) - 1);
      const std::size_t lastHigh =
          before != 0 ? base + 64 - static_cast<std::size_t>(std::countl_zero(before)) : highEnd;
      const bool undecoded = !cellQuoted && lastHigh > cellBegin;
      cells_.push_back({static_cast<std::uint32_t>(cellBegin),
                        static_cast<std::uint32_t>(at - cellBegin) | (undecoded ? kUndecoded : 0)});
      std::size_t after = at + 1;
      if (c != sep) {
        rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
        rowOpen = false;
        ++line;
        if (c == '\r' && after < n && d[after] == '\n') ++after;
        next = after;
        if (after == n) break;
        if (!openRow(after)) stopped = true;
      } else if (!openCell(after)) {
        stopped = true;
      }
      if (stopped) break;
    }
    if (m.high != 0) highEnd = base + 64 - static_cast<std::size_t>(std::countl_zero(m.high));
  }
  if (rowOpen) {
    const bool undecoded = !cellQuoted && highEnd > cellBegin;
    cells_.push_back({static_cast<std::uint32_t>(cellBegin),
                      static_cast<std::uint32_t>(n - cellBegin) | (undecoded ? kUndecoded : 0)});
    rowFirst_.push_back(static_cast<std::uint32_t>(cells_.size()));
  }
  if (checkUtf8) {
    check.Finish();
    encoding_ = check.utf8() ? Encoding::Utf8 : Encoding::Cp1251;
    replaced_ = check.replaced();
  }
  for (const std::uint32_t i : quotedCells) {
    if (i < cells_.size()) Unquote(cells_[i]);
  }
}

bool Table::CellIs(std::size_t row, std::size_t column, std::string_view text) const {
  if (column >= columns(row)) return text.empty();
  const Span& s = cells_[rowFirst_[row] + column];
  if ((s.size & kUndecoded) == 0 || encoding_ != Encoding::Utf8) return cell(row, column) == text;
  // The cell's UTF-8 against the text's. A "?" or a no-break blank has more
  // than one UTF-8 form that reads as it; every other byte has one.
  const std::string_view raw(text_.data() + s.begin, s.size & ~kUndecoded);
  const std::array<Utf8Form, 256>& forms = Utf8Forms();
  std::size_t at = 0;
  for (const char c : text) {
    if (c == kReplacement || static_cast<unsigned char>(c) == kNoBreakBlank) return cell(row, column) == text;
    const Utf8Form& form = forms[static_cast<unsigned char>(c)];
    if (raw.size() - at < form.length || raw.compare(at, form.length, form.bytes, form.length) != 0) return false;
    at += form.length;
  }
  return at == raw.size();
}

void Table::Decode(Span& s) const {
  s.size &= ~kUndecoded;
  if (encoding_ != Encoding::Utf8) return;
  auto* const d = reinterpret_cast<unsigned char*>(text_.data());
  s.size = static_cast<std::uint32_t>(DecodeUtf8(d, s.begin, s.begin + s.size, s.begin) - s.begin);
}

// A cell that begins with a quote, as RFC 4180 quotes it, decoded in place.
void Table::Unquote(Span& s) const {
  auto* const d = reinterpret_cast<unsigned char*>(text_.data());
  const std::size_t end = s.begin + s.size;
  const bool utf8 = encoding_ == Encoding::Utf8;
  std::size_t in = s.begin + 1, out = s.begin;
  // The bytes up to `to`, decoded where they are UTF-8.
  const auto take = [&](std::size_t to) {
    if (utf8) {
      out = DecodeUtf8(d, in, to, out);
    } else {
      std::memmove(d + out, d + in, to - in);
      out += to - in;
    }
    in = to;
  };
  for (;;) {
    const void* quote = std::memchr(d + in, '"', end - in);
    if (quote == nullptr) {  // no closing quote: the cell runs to the end
      take(end);
      break;
    }
    take(static_cast<std::size_t>(static_cast<const unsigned char*>(quote) - d));
    if (in + 1 < end && d[in + 1] == '"') {
      d[out++] = '"';
      in += 2;
      continue;
    }
    // What follows the closing quote up to the separator belongs to the cell, as spreadsheets read it.
    ++in;
    take(end);
    break;
  }
  s.size = static_cast<std::uint32_t>(out - s.begin);
}

namespace {

template <class Bytes>
Status ReadSpreadsheet(FileSystem& fs, const std::string& path, Bytes& bytes) {
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
  if (Status s = ReadAllIntoBytes(fs, path, bytes); !s.ok()) {
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

}  // namespace

Status ReadSpreadsheetFile(FileSystem& fs, const std::string& path, files::FileBytes& bytes) {
  return ReadSpreadsheet(fs, path, bytes);
}

Status ReadSpreadsheetFile(FileSystem& fs, const std::string& path, std::string& bytes) {
  return ReadSpreadsheet(fs, path, bytes);
}

}  // namespace zel::csv
