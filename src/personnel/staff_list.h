#pragma once
// The rules of the personnel list window that need no widgets: how a line is
// laid out, where "Край" goes, which commands are enabled, the selection
// after a delete, and the add, edit and delete operations on the register.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "common/employee_record.h"

namespace zel {

class Messages;
class Register;

// Column measures, taken once with the list's font.
struct StaffColumns {
  int colUnit = 0;       // width of "W"
  int nameColWidth = 0;  // 31 x colUnit
  int egnColWidth = 0;   // 11 x width of "9"
  int ibanColWidth = 0;  // 22 x width of "9"
};
StaffColumns MeasureStaffColumns(int widthOfW, int widthOf9);

// Marks an employee who has left.
std::string LeftMarkerText();

// What one line draws, all at height top + 1.
struct StaffLine {
  int y = 0;
  int nameX = 0;
  std::string name;  // the first 30 characters of FullName
  int egnX = 0;
  std::string egn;
  int thirdX = 0;
  std::string third;  // Account when old accounts are shown, else IBAN
  bool showMarker = false;
  int markerX = 0;  // where LeftMarkerText() starts
};
// `markerWidth` is the measured width of LeftMarkerText().
StaffLine LayoutStaffLine(const EmployeeRecord& record, const StaffColumns& columns, int left, int top, int right,
                          bool showOldAccounts, int markerWidth);

// Edit, delete and print are enabled exactly when the list has a line.
bool StaffCommandsEnabled(const Register& list);

// The line to select after the line at `removed` was deleted, leaving
// `newCount` lines; -1 when the list is now empty.
int SelectionAfterDelete(int removed, std::size_t newCount);

// Runs the edit dialog on a working copy with the given title; true when the
// user confirmed, the copy then holding the validated record.
using EmployeeDialog = std::function<bool(const std::string& title, EmployeeRecord& record)>;

// "Нов": a zero record through the dialog, appended when confirmed. The index
// of the new last line to select, or nothing when cancelled.
std::optional<std::size_t> AddEmployee(Register& list, const EmployeeDialog& dialog);
// "Редактиране": the selected record through the dialog, replaced when
// confirmed. The index to select again, or nothing when no line is selected
// or the dialog was cancelled. EditIndex() keeps the index afterwards.
std::optional<std::size_t> EditEmployee(Register& list, int selected, const EmployeeDialog& dialog);
// "Изтриване": asks first; the line to select afterwards (-1 for none), or
// nothing when no line is selected or the user did not answer OK.
std::optional<int> DeleteEmployee(Register& list, int selected, Messages& messages);

}  // namespace zel
