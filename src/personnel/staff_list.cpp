#include "personnel/staff_list.h"

#include <algorithm>

#include "common/cp1251.h"
#include "common/messages.h"
#include "personnel/register.h"

namespace zel {
namespace {

bool IsLine(const Register& list, int index) { return index >= 0 && static_cast<std::size_t>(index) < list.size(); }

}  // namespace

StaffColumns MeasureStaffColumns(int widthOfW, int widthOf9) {
  return {widthOfW, 31 * widthOfW, 11 * widthOf9, 22 * widthOf9};
}

std::string LeftMarkerText() { return Cp(" - напуснал"); }

StaffLine LayoutStaffLine(const EmployeeRecord& record, const StaffColumns& columns, int left, int top, int right,
                          bool showOldAccounts, int markerWidth) {
  StaffLine line;
  line.y = top + 1;
  line.nameX = left + 1;
  line.name = std::string(record.FullName.view().substr(0, 30));
  line.egnX = line.nameX + columns.nameColWidth;
  line.egn = record.EGN.str();
  line.thirdX = line.egnX + columns.egnColWidth;
  line.third = showOldAccounts ? record.Account.str() : record.IBAN.str();
  line.showMarker = record.HasLeft != 0;
  if (line.showMarker) {
    // Right-aligned one column unit short of the edge in a wide window;
    // pushed past the third column in a narrow one.
    const int c = showOldAccounts ? columns.egnColWidth : columns.ibanColWidth;
    const int wide = right - left - columns.colUnit;
    const int narrow = left + 1 + columns.nameColWidth + 2 * c + markerWidth + columns.colUnit;
    line.markerX = std::max(wide, narrow) - markerWidth;
  }
  return line;
}

bool StaffCommandsEnabled(const Register& list) { return !list.empty(); }

int SelectionAfterDelete(int removed, std::size_t newCount) {
  if (newCount == 0) return -1;
  const int count = static_cast<int>(newCount);
  if (removed > 0 && removed >= count) return count - 1;
  return std::max(removed, 0);
}

std::optional<std::size_t> AddEmployee(Register& list, const EmployeeDialog& dialog) {
  list.SetEditIndex(-1);
  EmployeeRecord working = ZeroEmployeeRecord();
  if (!dialog(Cp("Добавяне"), working)) return std::nullopt;
  list.Append(working);
  list.MarkModified();
  return list.size() - 1;
}

std::optional<std::size_t> EditEmployee(Register& list, int selected, const EmployeeDialog& dialog) {
  if (!IsLine(list, selected)) return std::nullopt;
  const auto index = static_cast<std::size_t>(selected);
  list.SetEditIndex(selected);
  EmployeeRecord working = list.at(index);
  if (!dialog(Cp("Редактиране"), working)) return std::nullopt;
  list.Replace(index, working);
  list.MarkModified();
  return index;
}

std::optional<int> DeleteEmployee(Register& list, int selected, Messages& messages) {
  if (!IsLine(list, selected)) return std::nullopt;
  if (!messages.Ask(Cp("Изтриване"), Cp("Искате ли да го изтриете"), Messages::Icon::Question,
                    Messages::Default::Cancel)) {
    return std::nullopt;
  }
  list.Remove(static_cast<std::size_t>(selected));
  list.MarkModified();
  return SelectionAfterDelete(selected, list.size());
}

}  // namespace zel
