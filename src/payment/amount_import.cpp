#include "payment/amount_import.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <utility>

#include "common/amount.h"
#include "common/checks.h"
#include "common/cp1251.h"
#include "common/csv_writer.h"
#include "common/euro.h"
#include "common/key_hash.h"
#include "common/prefetch.h"
#include "common/text.h"

namespace zel {

namespace {

constexpr std::size_t kEgnDigits = 10;
// Beyond this many digits before the point an amount is no pay, and the
// payment dialog's arithmetic would no longer keep its cents.
constexpr std::size_t kMaxWholeDigits = 13;
// The rows a header is looked for in, and those a guess is made from.
constexpr std::size_t kHeaderRows = 10;
constexpr std::size_t kGuessRows = 30;
constexpr std::size_t kGuessColumns = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32 || static_cast<unsigned char>(c) == 0xA0; }
// Blanks, no-break blanks and apostrophes (also the typographic one) group thousands.
bool IsGrouping(char c) { return c == ' ' || c == '\'' || c == '\xA0' || c == '\x92'; }

std::string_view TrimCell(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Capitals of code page 1251, Cyrillic and Latin: names and headers compare in them.
char Capital(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 0xE0) return static_cast<char>(b - 0x20);
  if (b == 0xB8) return '\xA8';  // ё
  return ToUpperLatin(c);
}

// A header cell as it is compared: capitals, no blanks, without a closing
// "(...)" or colon ("Сума (EUR)" names the amount as "Сума" does).
std::string HeaderKey(std::string_view cell) {
  cell = TrimCell(cell);
  if (!cell.empty() && cell.back() == ':') cell.remove_suffix(1);
  if (!cell.empty() && cell.back() == ')') {
    const std::size_t open = cell.rfind('(');
    if (open != std::string_view::npos && open > 0) cell = cell.substr(0, open);
  }
  std::string key;
  for (const char c : cell) {
    if (!IsBlank(c)) key += Capital(c);
  }
  return key;
}

std::vector<std::string> Keys(std::initializer_list<const char*> utf8) {
  std::vector<std::string> keys;
  for (const char* name : utf8) keys.push_back(HeaderKey(Cp(name)));
  return keys;
}

// The rank of a header cell in a list of names, best first; -1 when it is none of them.
int RankOf(const std::string& key, const std::vector<std::string>& names) {
  const auto it = std::find(names.begin(), names.end(), key);
  return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

const std::vector<std::string>& EgnNames() {
  static const std::vector<std::string> names = Keys({"ЕГН", "EGN"});
  return names;
}
// The amount to transfer before a net or a mere sum, when a payroll has several.
const std::vector<std::string>& AmountNames() {
  static const std::vector<std::string> names =
      Keys({"Сума за превод", "Чиста сума за получаване", "Нето", "Net", "Сума", "Amount"});
  return names;
}
const std::vector<std::string>& NameNames() {
  static const std::vector<std::string> names =
      Keys({"Име на титуляра", "Име", "Имена", "Трите имена", "Име и фамилия", "Служител", "Name", "Full name"});
  return names;
}

// Two names alike when their words are, in capitals, whatever the blanks
// between them; an apostrophe a spreadsheet export put before a formula-like
// text does not count.
std::string_view NameText(std::string_view s) {
  s = TrimCell(s);
  if (s.size() > 1 && s.front() == csv::kFormulaGuard && csv::LooksLikeFormula(s.substr(1))) s.remove_prefix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  a = NameText(a);
  b = NameText(b);
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsBlank(a[i]) && IsBlank(b[j])) {
      while (i < a.size() && IsBlank(a[i])) ++i;
      while (j < b.size() && IsBlank(b[j])) ++j;
      continue;
    }
    if (Capital(a[i]) != Capital(b[j])) return false;
    ++i;
    ++j;
  }
  return i == a.size() && j == b.size();
}

bool LooksLikeEgn(std::string_view cell) {
  cell = TrimCell(cell);
  return cell.size() >= 8 && cell.size() <= kEgnDigits && IsDigits(cell);
}

bool LooksLikeName(std::string_view cell) {
  cell = TrimCell(cell);
  const auto letter = [](char c) {
    return static_cast<unsigned char>(c) >= 0xC0 || (Capital(c) >= 'A' && Capital(c) <= 'Z');
  };
  return cell.find(' ') != std::string_view::npos &&
         std::all_of(cell.begin(), cell.end(), [&](char c) { return letter(c) || c == ' ' || c == '-' || c == '.'; });
}

std::int64_t MinimumCents(Currency currency) {
  return static_cast<std::int64_t>(std::llround(RulesOf(currency).minNetAmount * 100));
}

// The currency labels an amount may end in, and whose they are.
struct Label {
  std::string text;
  Currency currency;
};
const std::vector<Label>& Labels() {
  static const std::vector<Label> labels = {
      {"EUR", Currency::Euro}, {Cp("€"), Currency::Euro}, {Cp("лв."), Currency::Leva}};
  return labels;
}

std::string Decimal(std::size_t n) { return std::to_string(n); }

}  // namespace

bool ReadEgn(std::string_view cell, FixedText<10>& egn, bool& zeroFilled) {
  cell = TrimCell(cell);
  if (cell.empty() || cell.size() > kEgnDigits || !IsDigits(cell)) return false;
  char digits[kEgnDigits];
  const std::size_t fill = kEgnDigits - cell.size();
  std::fill(digits, digits + fill, '0');
  std::copy(cell.begin(), cell.end(), digits + fill);
  egn.assign(std::string_view(digits, kEgnDigits));
  zeroFilled = fill > 0;
  return true;
}

namespace {

// ReadAmount in cents, against a minimum in cents.
AmountReading ReadCents(std::string_view cell, Currency currency, std::int64_t minimum, std::int64_t& cents) {
  std::string_view s = TrimCell(cell);
  if (s.empty()) return AmountReading::Empty;
  // Most amounts end in a digit: no label to look for.
  for (const Label& label : IsDigit(s.back()) ? std::span<const Label>() : std::span<const Label>(Labels())) {
    if (s.size() > label.text.size() && s.substr(s.size() - label.text.size()) == label.text) {
      if (label.currency != currency) return AmountReading::NotAnAmount;
      s = TrimCell(s.substr(0, s.size() - label.text.size()));
      break;
    }
  }
  // Whole digits in groups: the first of one to three, each further one of
  // three behind the same grouping character.
  std::int64_t whole = 0;
  std::size_t digits = 0;  // without leading zeros
  std::size_t at = 0;
  std::size_t group = 0;
  char grouping = 0;
  for (; at < s.size(); ++at) {
    const char c = s[at];
    if (IsDigit(c)) {
      if (digits > 0 || c != '0') ++digits;
      if (digits <= kMaxWholeDigits) whole = whole * 10 + (c - '0');
      ++group;
    } else if (IsGrouping(c)) {
      const bool first = grouping == 0;
      if (group == 0 || (first ? group > 3 : group != 3) || (!first && c != grouping)) {
        return AmountReading::NotAnAmount;
      }
      grouping = c;
      group = 0;
    } else {
      break;
    }
  }
  if (at == 0 || group == 0 || (grouping != 0 && group != 3)) return AmountReading::NotAnAmount;
  std::size_t decimals = 0;
  std::int64_t fraction = 0;
  if (at < s.size() && (s[at] == ',' || s[at] == '.')) {
    for (++at; at < s.size() && IsDigit(s[at]); ++at, ++decimals) {
      if (decimals < 2) fraction = fraction * 10 + (s[at] - '0');
    }
    if (decimals == 0) return AmountReading::NotAnAmount;
  }
  if (at != s.size()) return AmountReading::NotAnAmount;
  if (digits > kMaxWholeDigits || decimals > 2) return AmountReading::Refused;
  cents = whole * 100 + (decimals == 1 ? fraction * 10 : fraction);
  return cents < minimum ? AmountReading::Refused : AmountReading::Valid;
}

// Whether `text` is CentsText(cents), without making that text.
bool IsCentsText(std::string_view text, std::int64_t cents) {
  if (text.size() < 4 || text.size() > kMaxWholeDigits + 3 || text[text.size() - 3] != '.') return false;
  if (text[0] == '0' && text.size() > 4) return false;  // no leading zero
  std::int64_t value = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == text.size() - 3) continue;
    if (!IsDigit(text[i])) return false;
    value = value * 10 + (text[i] - '0');
  }
  return value == cents;
}

}  // namespace

AmountReading ReadAmount(std::string_view cell, Currency currency, FixedText<20>& stored) {
  std::int64_t cents = 0;
  const AmountReading reading = ReadCents(cell, currency, MinimumCents(currency), cents);
  if (reading == AmountReading::Valid) stored.assign(CentsText(static_cast<std::uint64_t>(cents)).view());
  return reading;
}

std::optional<ImportColumns> FindHeaderColumns(const csv::Table& table) {
  for (std::size_t row = 0; row < std::min(table.rows(), kHeaderRows); ++row) {
    ImportColumns c;
    int amountRank = -1;
    for (std::size_t col = 0; col < table.columns(row); ++col) {
      const std::string key = HeaderKey(table.cell(row, col));
      const int column = static_cast<int>(col);
      if (c.egn < 0 && RankOf(key, EgnNames()) >= 0) c.egn = column;
      if (c.name < 0 && RankOf(key, NameNames()) >= 0) c.name = column;
      const int rank = RankOf(key, AmountNames());
      if (rank >= 0 && (amountRank < 0 || rank < amountRank)) {
        amountRank = rank;
        c.amount = column;
      }
    }
    if (c.egn >= 0 && c.amount >= 0) {
      c.firstRow = row + 1;
      return c;
    }
  }
  return std::nullopt;
}

ImportColumns GuessColumns(const csv::Table& table) {
  const std::size_t rows = std::min(table.rows(), kGuessRows);
  std::size_t width = 0;
  for (std::size_t row = 0; row < rows; ++row) width = std::max(width, table.columns(row));
  width = std::min(width, kGuessColumns);
  std::vector<int> egns(width), amounts(width), names(width);
  FixedText<20> stored{};
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t col = 0; col < std::min(width, table.columns(row)); ++col) {
      const std::string_view cell = table.cell(row, col);
      if (LooksLikeEgn(cell)) {
        ++egns[col];
      } else if (ReadAmount(cell, Currency::Euro, stored) >= AmountReading::Refused ||
                 ReadAmount(cell, Currency::Leva, stored) >= AmountReading::Refused) {
        // An amount with decimals counts more than a bare number (a count, a code).
        const std::string_view trimmed = TrimCell(cell);
        amounts[col] += trimmed.find_first_of(",.") != std::string_view::npos ? 2 : 1;
      } else if (LooksLikeName(cell)) {
        ++names[col];
      }
    }
  }
  const auto best = [](const std::vector<int>& scores, std::initializer_list<int> taken) {
    int found = -1;
    for (std::size_t col = 0; col < scores.size(); ++col) {
      const int c = static_cast<int>(col);
      if (scores[col] == 0 || std::find(taken.begin(), taken.end(), c) != taken.end()) continue;
      if (found < 0 || scores[col] > scores[static_cast<std::size_t>(found)]) found = c;
    }
    return found;
  };
  ImportColumns c;
  c.egn = best(egns, {});
  c.amount = best(amounts, {c.egn});
  c.name = best(names, {c.egn, c.amount});
  // A first row without an EGN above rows with one is a header.
  if (c.egn >= 0 && rows > 1 && !LooksLikeEgn(table.cell(0, static_cast<std::size_t>(c.egn)))) c.firstRow = 1;
  return c;
}

const std::string& VerdictText(ImportVerdict verdict) {
  static const std::array<std::string, kImportVerdictCount> texts = {
      Cp("невалиден ЕГН"), Cp("няма такъв служител"), Cp("напуснал"),    Cp("без IBAN"),
      Cp("повторен ЕГН"),  Cp("невалидна сума"),      Cp("без промяна"), Cp("ще се промени")};
  return texts[static_cast<std::size_t>(verdict)];
}

const std::string& PreviewColumnTitle(PreviewColumn column) {
  static const std::array<std::string, kPreviewColumnCount> titles = {
      Cp("Ред"), Cp("ЕГН"), Cp("Име в регистъра"), Cp("Сума сега"), Cp("Сума от файла"), Cp("Резултат"), Cp("Бележка")};
  return titles[static_cast<std::size_t>(column)];
}

AmountImport::AmountImport(csv::Table table, const ImportColumns& columns, const PaymentList& list)
    : table_(std::move(table)), columns_(columns), list_(list) {
  ReadRows();
  Decide();
}

std::string_view AmountImport::CellOf(std::size_t row, int column) const {
  return column < 0 ? std::string_view() : table_.cell(row, static_cast<std::size_t>(column));
}

namespace {

// Digits as a number; none for any other text.
std::uint64_t Number(std::string_view digits) {
  std::uint64_t n = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return FirstIndexByNumber::kNoKey;
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return n;
}

// The ten digits of an EGN as a number, the key of the lists' indexes; none for any other text.
std::uint64_t EgnNumber(std::string_view egn) {
  return egn.size() == kEgnDigits ? Number(egn) : FirstIndexByNumber::kNoKey;
}

// As ReadEgn, the EGN as a number.
std::uint64_t EgnNumberOfCell(std::string_view cell, bool& zeroFilled) {
  cell = TrimCell(cell);
  if (cell.empty() || cell.size() > kEgnDigits) return FirstIndexByNumber::kNoKey;
  zeroFilled = cell.size() < kEgnDigits;
  return Number(cell);
}

}  // namespace

// The EGN and the amount of each row, and the line of the list or the
// employee off it that the EGN names. The rows are read first and the EGNs
// looked up after, each asking ahead for the places of the next.
void AmountImport::ReadRows() {
  std::vector<std::uint64_t> keys(list_.lines.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i + kPrefetchAhead < keys.size()) Prefetch(&list_.lines[i + kPrefetchAhead].Employee.EGN);
    keys[i] = EgnNumber(list_.lines[i].Employee.EGN.view());
  }
  const FirstIndexByNumber onList(keys);
  keys.resize(list_.offList.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = EgnNumber(list_.offList[i].EGN.view());
  const FirstIndexByNumber offList(keys);

  const std::int64_t minimum = MinimumCents(list_.currency);
  if (table_.rows() > columns_.firstRow) lines_.reserve(table_.rows() - columns_.firstRow);
  keys.clear();
  for (std::size_t row = columns_.firstRow; row < table_.rows(); ++row) {
    const std::string_view egnCell = CellOf(row, columns_.egn);
    const std::string_view amountCell = CellOf(row, columns_.amount);
    // Blank lines, titles of a section: nothing to import, nothing to show.
    if (TrimCell(egnCell).empty() && TrimCell(amountCell).empty()) continue;
    ImportLine l;
    l.row = static_cast<std::uint32_t>(row);
    l.amount = ReadCents(amountCell, list_.currency, minimum, l.cents);
    bool zeroFilled = false;
    const std::uint64_t key = EgnNumberOfCell(egnCell, zeroFilled);
    if (key != FirstIndexByNumber::kNoKey) {
      l.zeroFilled = zeroFilled;
      if (l.amount >= AmountReading::Refused) ++withEgnAndAmount_;
    }
    keys.push_back(key);
    lines_.push_back(l);
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i + kPrefetchAhead < lines_.size()) onList.Prefetch(keys[i + kPrefetchAhead]);
    ImportLine& l = lines_[i];
    if (keys[i] == FirstIndexByNumber::kNoKey) {
      l.verdict = ImportVerdict::InvalidEgn;
      continue;
    }
    l.line = static_cast<std::int32_t>(onList.Find(keys[i]));
    if (l.line < 0) l.offList = static_cast<std::int32_t>(offList.Find(keys[i]));
    l.verdict = l.line < 0 && l.offList < 0 ? ImportVerdict::NoSuchEmployee : ImportVerdict::NoChange;
  }
}

// The verdict of each line, and the totals now and after with each amount
// added once: the new amounts, and the present ones of the lines named
// without a change, of the lines changed and of the lines not named. Each
// line of the list is visited once, in the order of the file.
void AmountImport::Decide() {
  // The first line of the file for each line of the list, to find the repeated ones.
  first_.assign(list_.lines.size(), -1);
  std::vector<bool> repeated(lines_.size(), false);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::int32_t line = lines_[i].line;
    if (line < 0) continue;
    std::int32_t& firstOf = first_[static_cast<std::size_t>(line)];
    if (firstOf < 0) {
      firstOf = static_cast<std::int32_t>(i);
    } else {
      repeated[i] = true;
      repeated[static_cast<std::size_t>(firstOf)] = true;
    }
  }
  // Exact totals: whole cents while they fit a machine word, digits beyond.
  DecimalSum added, kept, unnamed, replaced;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i + kPrefetchAhead < lines_.size() && lines_[i + kPrefetchAhead].line >= 0) {
      const PaymentLine& ahead = list_.lines[static_cast<std::size_t>(lines_[i + kPrefetchAhead].line)];
      Prefetch(&ahead.Employee.IBAN);
      Prefetch(&ahead.NetAmount);
    }
    ImportLine& l = lines_[i];
    if (l.verdict != ImportVerdict::NoChange) {  // no EGN, or no such employee
      ++counts_[static_cast<std::size_t>(l.verdict)];
      continue;
    }
    if (l.line < 0) {
      const OffListEmployee& e = list_.offList[static_cast<std::size_t>(l.offList)];
      l.verdict = e.hasLeft ? ImportVerdict::Left : ImportVerdict::NoIban;
      ++counts_[static_cast<std::size_t>(l.verdict)];
      continue;
    }
    const PaymentLine& line = list_.lines[static_cast<std::size_t>(l.line)];
    const std::string_view now = line.NetAmount.view();
    if (repeated[i]) {
      l.verdict = ImportVerdict::RepeatedEgn;
    } else if (l.amount == AmountReading::Empty) {
      // An empty cell leaves an empty amount as it is; it does not empty one.
      l.verdict = now.empty() ? ImportVerdict::NoChange : ImportVerdict::InvalidAmount;
    } else if (l.amount != AmountReading::Valid) {
      l.verdict = ImportVerdict::InvalidAmount;
    } else if (IsCentsText(now, l.cents)) {
      l.verdict = ImportVerdict::NoChange;
    } else {
      // The payment dialog takes no amount for a line whose IBAN its check refuses.
      l.verdict = IsBankIban(line.Employee.IBAN.view()) ? ImportVerdict::Change : ImportVerdict::NoIban;
    }
    ++counts_[static_cast<std::size_t>(l.verdict)];
    if (first_[static_cast<std::size_t>(l.line)] != static_cast<std::int32_t>(i)) continue;  // counted once
    if (l.verdict == ImportVerdict::Change) {
      added.AddCents(static_cast<std::uint64_t>(l.cents));
      (void)replaced.Add(now);
    } else {
      (void)kept.Add(now);
    }
  }
  for (std::size_t i = 0; i < first_.size(); ++i) {
    if (first_[i] >= 0) continue;
    const std::string_view now = list_.lines[i].NetAmount.view();
    ++unnamed_;
    if (!now.empty()) ++unnamedWithAmount_;
    (void)unnamed.Add(now);
  }
  DecimalSum now = kept, keep = added, empty = added;
  now.Add(unnamed);
  now.Add(replaced);
  keep.Add(kept);
  keep.Add(unnamed);
  empty.Add(kept);
  totalNow_ = now.Text();
  totalKeep_ = keep.Text();
  totalEmpty_ = empty.Text();
}

std::size_t AmountImport::changes(bool emptyUnnamed) const {
  return Count(ImportVerdict::Change) + (emptyUnnamed ? unnamedWithAmount_ : 0);
}

std::string AmountImport::Cell(std::size_t i, PreviewColumn column) const {
  const ImportLine& l = lines_[i];
  const PaymentLine* line = l.line >= 0 ? &list_.lines[static_cast<std::size_t>(l.line)] : nullptr;
  const OffListEmployee* off = l.offList >= 0 ? &list_.offList[static_cast<std::size_t>(l.offList)] : nullptr;
  switch (column) {
    case PreviewColumn::FileLine: return Decimal(table_.line(l.row));
    case PreviewColumn::Egn: {
      FixedText<10> egn{};
      bool filled = false;
      const std::string_view cell = CellOf(l.row, columns_.egn);
      return ReadEgn(cell, egn, filled) ? egn.str() : std::string(TrimCell(cell));
    }
    case PreviewColumn::Name:
      return line != nullptr ? line->Employee.FullName.str() : off != nullptr ? off->FullName.str() : std::string();
    case PreviewColumn::AmountNow: return line != nullptr ? line->NetAmount.str() : std::string();
    case PreviewColumn::AmountFile:
      return l.amount == AmountReading::Valid ? std::string(CentsText(static_cast<std::uint64_t>(l.cents)).view())
                                              : std::string(TrimCell(CellOf(l.row, columns_.amount)));
    case PreviewColumn::Verdict: return VerdictText(l.verdict);
    case PreviewColumn::Note: {
      std::string note;
      if (l.zeroFilled) note = Cp("ЕГН допълнен с нули отляво");
      if (NameDiffers(l)) {
        if (!note.empty()) note += "; ";
        note += Cp("име във файла: ") + std::string(NameText(CellOf(l.row, columns_.name)));
      }
      return note;
    }
  }
  return {};
}

// Whether the file names the employee of the line otherwise than the
// register does (asked of the lines in sight alone: no import waits for it).
bool AmountImport::NameDiffers(const ImportLine& l) const {
  if (columns_.name < 0 || (l.line < 0 && l.offList < 0)) return false;
  const std::string_view registered = l.line >= 0
                                          ? list_.lines[static_cast<std::size_t>(l.line)].Employee.FullName.view()
                                          : list_.offList[static_cast<std::size_t>(l.offList)].FullName.view();
  if (table_.CellIs(l.row, static_cast<std::size_t>(columns_.name), registered)) return false;
  const std::string_view name = NameText(CellOf(l.row, columns_.name));
  return !name.empty() && !SameName(name, registered);
}

std::string AmountImport::VerdictSummary() const {
  std::string summary;
  // The changes first, then what is not taken.
  for (std::size_t k = kImportVerdictCount; k-- > 0;) {
    if (counts_[k] == 0) continue;
    if (!summary.empty()) summary += ", ";
    summary += VerdictText(static_cast<ImportVerdict>(k)) + ": " + Decimal(counts_[k]);
  }
  return summary;
}

std::size_t AmountImport::Apply(PaymentList& list, bool emptyUnnamed) const {
  if (&list != &list_ || list.lines.size() != first_.size()) return 0;
  std::size_t changed = 0;
  for (std::size_t i = 0; i < first_.size(); ++i) {
    FixedText<20>& amount = list.lines[i].NetAmount;
    if (first_[i] >= 0) {
      const ImportLine& l = lines_[static_cast<std::size_t>(first_[i])];
      if (l.verdict != ImportVerdict::Change) continue;
      amount.assign(CentsText(static_cast<std::uint64_t>(l.cents)).view());
      ++changed;
    } else if (emptyUnnamed && !amount.empty()) {
      amount.clear();
      ++changed;
    }
  }
  return changed;
}

namespace {

std::string NoAmounts(std::string_view shownPath) {
  return FillPattern(Cp("Във файла „%s“ няма ред с ЕГН и сума."), {shownPath});
}

}  // namespace

std::optional<std::string> TableRefusal(const csv::Table& table, std::string_view shownPath) {
  if (!table.complete()) {
    return FillPattern(Cp("Файлът „%s“ има повече от 1 000 000 реда: това не е таблица със суми."), {shownPath});
  }
  for (std::size_t row = 0; row < table.rows(); ++row) {
    if (table.columns(row) >= 2) return std::nullopt;
  }
  return NoAmounts(shownPath);
}

std::optional<std::string> ImportRefusal(const AmountImport& import, std::string_view shownPath) {
  if (import.withEgnAndAmount() == 0) return NoAmounts(shownPath);
  return std::nullopt;
}

}  // namespace zel
