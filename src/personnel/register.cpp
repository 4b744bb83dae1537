#include "personnel/register.h"

#include "common/text.h"

namespace zel {

void Register::Append(const EmployeeRecord& record) {
  const auto i = static_cast<std::uint32_t>(records_.size());
  records_.push_back(record);
  if (egnIndexValid_) egnIndex_[record.EGN.str()].push_back(i);
  if (ibanIndexValid_) ibanIndex_[ToUpperLatin(record.IBAN.view())].push_back(i);
}

void Register::Replace(std::size_t i, const EmployeeRecord& record) {
  EmployeeRecord& target = records_.at(i);
  if (target.EGN.view() != record.EGN.view()) egnIndexValid_ = false;
  if (ToUpperLatin(target.IBAN.view()) != ToUpperLatin(record.IBAN.view())) ibanIndexValid_ = false;
  target = record;
}

void Register::Remove(std::size_t i) {
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
  egnIndexValid_ = ibanIndexValid_ = false;
}

void Register::Clear() {
  records_.clear();
  records_.shrink_to_fit();
  egnIndex_.clear();
  ibanIndex_.clear();
  egnIndexValid_ = ibanIndexValid_ = false;
}

void Register::MarkModified() {
  modified_ = true;
  if (onModified) onModified();
}

const Register::Index& Register::EgnIndex() const {
  if (!egnIndexValid_) {
    egnIndex_.clear();
    egnIndex_.reserve(records_.size());
    for (std::uint32_t i = 0; i < records_.size(); ++i) egnIndex_[records_[i].EGN.str()].push_back(i);
    egnIndexValid_ = true;
  }
  return egnIndex_;
}

const Register::Index& Register::IbanIndex() const {
  if (!ibanIndexValid_) {
    ibanIndex_.clear();
    ibanIndex_.reserve(records_.size());
    for (std::uint32_t i = 0; i < records_.size(); ++i) ibanIndex_[ToUpperLatin(records_[i].IBAN.view())].push_back(i);
    ibanIndexValid_ = true;
  }
  return ibanIndex_;
}

bool Register::UniqueIn(const Index& index, std::string_view key, int skip) {
  const auto found = index.find(std::string(key));
  if (found == index.end()) return true;
  for (const std::uint32_t i : found->second) {
    if (static_cast<int>(i) != skip) return false;
  }
  return true;
}

bool Register::IsEgnUnique(std::string_view egn) const { return UniqueIn(EgnIndex(), egn, editIndex_); }

bool Register::IsIbanUnique(std::string_view iban) const {
  return UniqueIn(IbanIndex(), ToUpperLatin(iban), editIndex_);
}

const std::vector<std::uint32_t>& Register::IndicesWithEgn(std::string_view egn) const {
  static const std::vector<std::uint32_t> kNone;
  const auto& index = EgnIndex();
  const auto found = index.find(std::string(egn));
  return found == index.end() ? kNone : found->second;
}

}  // namespace zel
