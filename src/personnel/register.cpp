#include "personnel/register.h"

#include <algorithm>
#include <cstring>

#include "common/key_hash.h"
#include "common/text.h"

namespace zel {

namespace {

bool EqualInCapitals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperLatin(a[i]) != ToUpperLatin(b[i])) return false;
  }
  return true;
}

}  // namespace

void Register::Append(const EmployeeRecord& record) {
  const auto i = static_cast<std::uint32_t>(records_.size());
  records_.push_back(record);
  if (egnIndex_.valid) Add(egnIndex_, Key::Egn, i);
  if (ibanIndex_.valid) Add(ibanIndex_, Key::Iban, i);
}

void Register::AppendRecords(Records&& records) {
  if (records_.empty()) {
    records_ = std::move(records);
  } else {
    records_.insert(records_.end(), records.begin(), records.end());
  }
  egnIndex_.valid = ibanIndex_.valid = false;  // rebuilt at once when next needed
}

void Register::Replace(std::size_t i, const EmployeeRecord& record) {
  EmployeeRecord& target = records_.at(i);
  if (target.EGN.view() != record.EGN.view()) egnIndex_.valid = false;
  if (!EqualInCapitals(target.IBAN.view(), record.IBAN.view())) ibanIndex_.valid = false;
  target = record;
}

void Register::SetAccount(std::size_t i, std::string_view account) { records_.at(i).Account = account; }

void Register::SetIbanInCapitals(std::size_t i, std::string_view iban) {
  FixedText<22> capitals = records_.at(i).IBAN;
  capitals.assign(iban);
  for (std::size_t k = 0; k < capitals.size(); ++k) capitals.bytes[k] = ToUpperLatin(capitals.bytes[k]);
  if (!EqualInCapitals(records_[i].IBAN.view(), capitals.view())) ibanIndex_.valid = false;
  records_[i].IBAN = capitals;
}

void Register::Remove(std::size_t i) {
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
  egnIndex_.valid = ibanIndex_.valid = false;
}

void Register::Clear() {
  records_.clear();
  records_.shrink_to_fit();
  egnIndex_ = Index();
  ibanIndex_ = Index();
}

void Register::MarkModified() {
  modified_ = true;
  if (onModified) onModified();
}

std::uint32_t Register::Hash(std::string_view text, bool capitals) {
  return capitals ? HashKey(text, [](char c) { return ToUpperLatin(c); }) : HashKey(text);
}

std::string_view Register::StoredKey(const Index& index, Key key, std::uint32_t i) {
  const std::size_t width = key == Key::Egn ? sizeof(EmployeeRecord::EGN) : sizeof(EmployeeRecord::IBAN);
  const char* field = index.keys.data() + i * width;
  // The length byte clamped to the capacity, as FixedText reads it.
  return std::string_view(field + 1, std::min<std::size_t>(static_cast<unsigned char>(field[0]), width - 1));
}

void Register::Insert(Index& index, Key key, std::uint32_t i) {
  const std::uint32_t hash = Hash(StoredKey(index, key, i), false);  // the IBANs are in capitals already
  const std::size_t mask = index.table.size() - 1;
  std::size_t at = hash & mask;
  while (index.table[at] != 0) at = (at + 1) & mask;
  index.table[at] = i + 1;
  ++index.used;
}

// The fields of the records from `from` on, appended to the keys in one
// plain copy that sweeps the register many records at once.
template <std::size_t N>
void Register::CopyKeys(Index& index, FixedText<N> EmployeeRecord::*field, bool capitals, std::size_t from) const {
  constexpr std::size_t width = sizeof(FixedText<N>);
  const std::size_t start = index.keys.size();
  index.keys.resize(start + (records_.size() - from) * width);
  char* out = index.keys.data() + start;
  for (std::size_t i = from; i < records_.size(); ++i, out += width) std::memcpy(out, &(records_[i].*field), width);
  if (capitals) {
    for (char* c = index.keys.data() + start; c != out; ++c) *c = ToUpperLatin(*c);  // the length bytes are not a..z
  }
}

void Register::Add(Index& index, Key key, std::uint32_t i) const {
  if (2 * (index.used + 1) > index.table.size()) {
    index.valid = false;  // full enough: rebuilt larger, the new record with the others
    Built(index, key);
    return;
  }
  if (key == Key::Egn) {
    CopyKeys(index, &EmployeeRecord::EGN, false, i);
  } else {
    CopyKeys(index, &EmployeeRecord::IBAN, true, i);
  }
  Insert(index, key, i);
}

const Register::Index& Register::Built(Index& index, Key key) const {
  if (index.valid) return index;
  std::size_t capacity = 16;
  while (capacity < 2 * records_.size()) capacity *= 2;
  index.table.assign(capacity, 0);
  index.used = 0;
  index.keys.clear();
  if (key == Key::Egn) {
    CopyKeys(index, &EmployeeRecord::EGN, false, 0);
  } else {
    CopyKeys(index, &EmployeeRecord::IBAN, true, 0);
  }
  for (std::uint32_t i = 0; i < records_.size(); ++i) Insert(index, key, i);
  index.valid = true;
  return index;
}

template <class Each>
void Register::ForEachWithKey(Index& index, Key key, std::string_view text, Each&& each) const {
  const Index& built = Built(index, key);
  const bool capitals = key == Key::Iban;
  const std::uint32_t hash = Hash(text, capitals);
  const std::size_t mask = built.table.size() - 1;
  for (std::size_t at = hash & mask; built.table[at] != 0; at = (at + 1) & mask) {
    const std::uint32_t i = built.table[at] - 1;
    const std::string_view stored = StoredKey(built, key, i);
    if ((capitals ? EqualInCapitals(stored, text) : stored == text) && !each(i)) return;
  }
}

bool Register::IsEgnUnique(std::string_view egn) const {
  bool unique = true;
  ForEachWithKey(egnIndex_, Key::Egn, egn, [&](std::uint32_t i) { return unique = static_cast<int>(i) == editIndex_; });
  return unique;
}

bool Register::IsIbanUnique(std::string_view iban) const {
  bool unique = true;
  ForEachWithKey(ibanIndex_, Key::Iban, iban,
                 [&](std::uint32_t i) { return unique = static_cast<int>(i) == editIndex_; });
  return unique;
}

const std::vector<std::uint32_t>& Register::IndicesWithEgn(std::string_view egn) const {
  found_.clear();
  ForEachWithKey(egnIndex_, Key::Egn, egn, [this](std::uint32_t i) {
    found_.push_back(i);
    return true;
  });
  return found_;
}

}  // namespace zel
