#include "personnel/staff_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "personnel/register.h"
#include "support/fakes.h"

namespace zel {
namespace {

EmployeeRecord Employee(const std::string& egn, const std::string& name = "Name") {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = name;
  r.EGN = egn;
  r.Account = "1012345675";
  r.IBAN = "BG80BNBG96611020345678";
  return r;
}

Register ListOf(int n) {
  Register list;
  for (int i = 0; i < n; ++i) list.Append(Employee("000000000" + std::to_string(i)));
  return list;
}

// "W" 12 wide, "9" 7 wide: every column measure differs.
const StaffColumns kColumns = MeasureStaffColumns(12, 7);

TEST(StaffList, ColumnMeasuresComeFromTheMeasuredWidths) {
  EXPECT_EQ(kColumns.colUnit, 12);
  EXPECT_EQ(kColumns.nameColWidth, 31 * 12);
  EXPECT_EQ(kColumns.egnColWidth, 11 * 7);
  EXPECT_EQ(kColumns.ibanColWidth, 22 * 7);
}

TEST(StaffList, LineShowsThirtyCharactersOfTheNameAndTheChosenAccount) {
  const std::string longName(45, 'x');
  EmployeeRecord rec = Employee("7503158765", longName);
  StaffLine line = LayoutStaffLine(rec, kColumns, 5, 30, 800, false, 60);
  EXPECT_EQ(line.name, std::string(30, 'x'));
  EXPECT_EQ(rec.FullName.size(), 45u);
  EXPECT_EQ(line.y, 31);
  EXPECT_EQ(line.nameX, 6);
  EXPECT_EQ(line.egnX, 6 + 372);
  EXPECT_EQ(line.egn, "7503158765");
  EXPECT_EQ(line.thirdX, 6 + 372 + 77);
  EXPECT_EQ(line.third, "BG80BNBG96611020345678");
  EXPECT_FALSE(line.showMarker);

  line = LayoutStaffLine(rec, kColumns, 5, 30, 800, true, 60);
  EXPECT_EQ(line.third, "1012345675");
}

TEST(StaffList, LeftMarkerIsRightAlignedInAWideWindowAndPushedRightInANarrowOne) {
  EmployeeRecord rec = Employee("7503158765");
  rec.HasLeft = 1;
  const int marker = 80;
  EXPECT_EQ(LeftMarkerText(), Cp(" - напуснал"));

  // Wide: right end at R - L - ColUnit.
  StaffLine line = LayoutStaffLine(rec, kColumns, 0, 0, 2000, false, marker);
  EXPECT_TRUE(line.showMarker);
  EXPECT_EQ(line.markerX, 2000 - 12 - marker);

  // Narrow: right end at L + 1 + NameColWidth + 2C + marker + ColUnit.
  line = LayoutStaffLine(rec, kColumns, 0, 0, 300, false, marker);
  EXPECT_EQ(line.markerX, 1 + 372 + 2 * 154 + marker + 12 - marker);

  // Just wide enough with old accounts shown: clearing the box pushes it further right.
  const int right = 1 + 372 + 2 * 77 + marker + 12 + 12;
  const int withBox = LayoutStaffLine(rec, kColumns, 0, 0, right, true, marker).markerX;
  const int withoutBox = LayoutStaffLine(rec, kColumns, 0, 0, right, false, marker).markerX;
  EXPECT_EQ(withBox, right - 12 - marker);
  EXPECT_EQ(withoutBox, withBox + 2 * (154 - 77));
}

TEST(StaffList, SelectionAfterDelete) {
  EXPECT_EQ(SelectionAfterDelete(4, 4), 3);  // last of five
  EXPECT_EQ(SelectionAfterDelete(0, 4), 0);  // first
  EXPECT_EQ(SelectionAfterDelete(2, 4), 2);  // middle: the next line moves up
  EXPECT_EQ(SelectionAfterDelete(0, 0), -1);
}

TEST(StaffList, AddAppendsAtTheEndAndMarksModified) {
  Register list = ListOf(3);
  list.SetEditIndex(1);
  int notified = 0;
  list.onModified = [&] { ++notified; };
  std::string title;
  const auto added = AddEmployee(list, [&](const std::string& t, EmployeeRecord& r) {
    title = t;
    EXPECT_EQ(list.EditIndex(), -1);
    EXPECT_TRUE(r.FullName.empty());
    EXPECT_TRUE(r.EGN.empty());
    r.EGN = "7503158765";
    return true;
  });
  ASSERT_TRUE(added.has_value());
  EXPECT_EQ(*added, 3u);
  EXPECT_EQ(title, Cp("Добавяне"));
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(list.at(3).EGN.str(), "7503158765");
  EXPECT_TRUE(list.Modified());
  EXPECT_EQ(notified, 1);
  EXPECT_FALSE(list.IsEgnUnique("7503158765"));
}

TEST(StaffList, CancelledDialogChangesNothing) {
  Register list = ListOf(2);
  EXPECT_FALSE(AddEmployee(list, [](const std::string&, EmployeeRecord& r) {
                 r.EGN = "1111111111";
                 return false;
               }).has_value());
  EXPECT_FALSE(EditEmployee(list, 1, [](const std::string&, EmployeeRecord& r) {
                 r.EGN = "1111111111";
                 return false;
               }).has_value());
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.at(1).EGN.str(), "0000000001");
  EXPECT_FALSE(list.Modified());
}

TEST(StaffList, EditWorksOnACopyAndReplacesOnConfirm) {
  Register list = ListOf(3);
  std::string title;
  const auto edited = EditEmployee(list, 1, [&](const std::string& t, EmployeeRecord& r) {
    title = t;
    EXPECT_EQ(list.EditIndex(), 1);
    EXPECT_EQ(r.EGN.str(), "0000000001");
    // The dialog's own record is not the list's.
    EXPECT_NE(&r, &list.at(1));
    EXPECT_TRUE(list.IsEgnUnique("0000000001"));
    r.EGN = "7503158765";
    return true;
  });
  ASSERT_TRUE(edited.has_value());
  EXPECT_EQ(*edited, 1u);
  EXPECT_EQ(title, Cp("Редактиране"));
  EXPECT_EQ(list.at(1).EGN.str(), "7503158765");
  EXPECT_TRUE(list.Modified());
  EXPECT_EQ(list.EditIndex(), 1);
  list.SetEditIndex(-1);
  EXPECT_FALSE(list.IsEgnUnique("7503158765"));
  EXPECT_TRUE(list.IsEgnUnique("0000000001"));
}

TEST(StaffList, EditWithoutSelectionDoesNotOpenTheDialog) {
  Register list = ListOf(2);
  int opened = 0;
  const EmployeeDialog dialog = [&](const std::string&, EmployeeRecord&) { return ++opened, true; };
  EXPECT_FALSE(EditEmployee(list, -1, dialog).has_value());
  EXPECT_FALSE(EditEmployee(list, 2, dialog).has_value());
  Register empty;
  EXPECT_FALSE(EditEmployee(empty, 0, dialog).has_value());
  EXPECT_EQ(opened, 0);
  EXPECT_FALSE(list.Modified());
}

TEST(StaffList, DeleteAsksAndSelectsTheNeighbour) {
  Register list = ListOf(5);
  test::FakeMessages messages;
  messages.answers = {false, true};
  EXPECT_FALSE(DeleteEmployee(list, 4, messages).has_value());
  EXPECT_EQ(list.size(), 5u);
  EXPECT_FALSE(list.Modified());

  EXPECT_EQ(DeleteEmployee(list, 4, messages), std::optional<int>(3));
  EXPECT_EQ(list.size(), 4u);
  EXPECT_TRUE(list.Modified());
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_EQ(messages.log[0].caption, Cp("Изтриване"));
  EXPECT_EQ(messages.log[0].text, Cp("Искате ли да го изтриете"));
  EXPECT_EQ(messages.icons[0], Messages::Icon::Question);
  EXPECT_EQ(messages.defaults[0], Messages::Default::Cancel);

  EXPECT_EQ(DeleteEmployee(list, 0, messages), std::optional<int>(0));
  EXPECT_EQ(list.at(0).EGN.str(), "0000000001");
}

TEST(StaffList, DeletingTheOnlyLineDisablesTheCommands) {
  Register list = ListOf(1);
  EXPECT_TRUE(StaffCommandsEnabled(list));
  test::FakeMessages messages;
  EXPECT_EQ(DeleteEmployee(list, 0, messages), std::optional<int>(-1));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(StaffCommandsEnabled(list));
  EXPECT_FALSE(DeleteEmployee(list, 0, messages).has_value());
  EXPECT_EQ(messages.log.size(), 1u);  // nothing asked with nothing to delete
}

}  // namespace
}  // namespace zel
