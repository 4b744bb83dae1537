#pragma once
// Files of fixed-size records, read whole: every whole record in file order,
// a trailing partial record ignored.

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace zel {

template <class Record>
std::size_t WholeRecords(std::string_view content) {
  return content.size() / sizeof(Record);
}

// Calls each(record) with a copy of every whole record (the bytes of the
// file need not be aligned for the record type).
template <class Record, class Each>
void ForEachRecord(std::string_view content, Each&& each) {
  static_assert(std::is_trivially_copyable_v<Record>);
  const std::size_t count = WholeRecords<Record>(content);
  for (std::size_t i = 0; i < count; ++i) {
    Record record;
    std::memcpy(&record, content.data() + i * sizeof(Record), sizeof(Record));
    each(record);
  }
}

}  // namespace zel
