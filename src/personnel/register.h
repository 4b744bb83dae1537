#pragma once
// The register in memory while the personnel list is open: the records in
// list order, the unsaved-changes flag and the index of the record under
// edit. The list window is a view of it; the bank file readers work on it too.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/currency.h"
#include "common/employee_record.h"
#include "common/uninitialised.h"

namespace zel {

class Register {
public:
  // Records that a file read fills are not zeroed first (see UninitialisedAllocator).
  using Records = std::vector<EmployeeRecord, UninitialisedAllocator<EmployeeRecord>>;

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const EmployeeRecord& at(std::size_t i) const { return records_.at(i); }
  const Records& records() const { return records_; }

  // Room for n records in all, so that loading a large file does not regrow the list.
  void Reserve(std::size_t n) { records_.reserve(n); }
  void Append(const EmployeeRecord& record);
  // Appends the records in order; into an empty register they move as they are.
  void AppendRecords(Records&& records);
  void Replace(std::size_t i, const EmployeeRecord& record);
  // Sets one field of record i in place, as Replace with a copy of the
  // record would, without copying the record twice.
  void SetAccount(std::size_t i, std::string_view account);
  // The IBAN stored in capitals.
  void SetIbanInCapitals(std::size_t i, std::string_view iban);
  void Remove(std::size_t i);
  // FreeRecords: releases every record and empties the list.
  void Clear();

  bool Modified() const { return modified_; }
  // Sets the flag; it never returns to false while the register is open.
  void MarkModified();
  // Called whenever Modified() turns true (the list window turns "Край" bold).
  std::function<void()> onModified;

  // The currency of the amounts, as the data folder keeps them.
  Currency currency() const { return currency_; }
  void SetCurrency(Currency currency) { currency_ = currency; }

  int EditIndex() const { return editIndex_; }
  void SetEditIndex(int i) { editIndex_ = i; }

  // True unless a record other than the one at EditIndex() has this EGN
  // exactly, or this IBAN in capitals whatever case either was stored in.
  bool IsEgnUnique(std::string_view egn) const;
  bool IsIbanUnique(std::string_view iban) const;

  // Indices of the records whose EGN equals `egn`, in list order; the list
  // holds until the next call.
  const std::vector<std::uint32_t>& IndicesWithEgn(std::string_view egn) const;

private:
  // Positions of the records by a key that lies in the record (the EGN, or
  // the IBAN compared in capitals): open addressing with linear probing over
  // a power-of-two number of slots, at most half of them used; records of the
  // same key lie along the probe in list order. The keys are copied out of
  // the records into one compact array (the IBANs in capitals), so that a
  // search touches a few megabytes, not the records spread over the whole
  // register. Built on first use, kept up to date by Append, rebuilt after
  // other changes.
  enum class Key { Egn, Iban };
  struct Index {
    std::vector<std::uint32_t> table;  // index of a record + 1; 0 for an empty slot
    std::vector<char> keys;            // per record the field as stored: length byte, then its bytes
    std::size_t used = 0;
    bool valid = false;
  };
  const Index& Built(Index& index, Key key) const;
  template <std::size_t N>
  void CopyKeys(Index& index, FixedText<N> EmployeeRecord::*field, bool capitals, std::size_t from) const;
  static std::string_view StoredKey(const Index& index, Key key, std::uint32_t i);
  static std::uint32_t Hash(std::string_view text, bool capitals);
  static void Insert(Index& index, Key key, std::uint32_t i);
  // Record i, just appended, into an index in use.
  void Add(Index& index, Key key, std::uint32_t i) const;
  // Calls each(i) for every record with the key, in list order, while it returns true.
  template <class Each>
  void ForEachWithKey(Index& index, Key key, std::string_view text, Each&& each) const;

  Records records_;
  bool modified_ = false;
  int editIndex_ = -1;
  Currency currency_ = Currency::Leva;
  mutable Index egnIndex_;
  mutable Index ibanIndex_;
  mutable std::vector<std::uint32_t> found_;
};

}  // namespace zel
