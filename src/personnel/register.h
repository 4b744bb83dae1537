#pragma once
// The register in memory while the personnel list is open: the records in
// list order, the unsaved-changes flag and the index of the record under
// edit. The list window is a view of it; the bank file readers work on it too.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/employee_record.h"

namespace zel {

class Register {
public:
  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const EmployeeRecord& at(std::size_t i) const { return records_.at(i); }
  const std::vector<EmployeeRecord>& records() const { return records_; }

  // Room for n records in all, so that loading a large file does not regrow the list.
  void Reserve(std::size_t n) { records_.reserve(n); }
  void Append(const EmployeeRecord& record);
  void Replace(std::size_t i, const EmployeeRecord& record);
  void Remove(std::size_t i);
  // FreeRecords: releases every record and empties the list.
  void Clear();

  bool Modified() const { return modified_; }
  // Sets the flag; it never returns to false while the register is open.
  void MarkModified();
  // Called whenever Modified() turns true (the list window turns "Край" bold).
  std::function<void()> onModified;

  int EditIndex() const { return editIndex_; }
  void SetEditIndex(int i) { editIndex_ = i; }

  // True unless a record other than the one at EditIndex() has this EGN
  // exactly, or this IBAN in capitals whatever case either was stored in.
  bool IsEgnUnique(std::string_view egn) const;
  bool IsIbanUnique(std::string_view iban) const;

  // Indices of the records whose EGN equals `egn`, in list order.
  const std::vector<std::uint32_t>& IndicesWithEgn(std::string_view egn) const;

private:
  using Index = std::unordered_map<std::string, std::vector<std::uint32_t>>;
  const Index& EgnIndex() const;
  const Index& IbanIndex() const;
  static bool UniqueIn(const Index& index, std::string_view key, int skip);

  std::vector<EmployeeRecord> records_;
  bool modified_ = false;
  int editIndex_ = -1;
  // Built on first use, kept up to date by Append, rebuilt after other changes.
  mutable Index egnIndex_;
  mutable Index ibanIndex_;
  mutable bool egnIndexValid_ = false;
  mutable bool ibanIndexValid_ = false;
};

}  // namespace zel
