#pragma once
// The keyboard alone in window tests: where Tab takes the focus, keys
// pressed on a dialog's widgets, and a dialog left by Tab and Enter on its
// "Отказ".

#include <Qt>
#include <string>
#include <vector>

class QWidget;

namespace zel::test {

using Names = std::vector<std::string>;

// The object names of the widgets the focus visits in `window` as Tab is
// pressed: first the one that has the focus, last the same one again once Tab
// has gone round (or "(stuck)" after `limit` presses).
Names TabWalk(QWidget* window, int limit = 40);

// One row of a dialog's keyboard table: `key` pressed on its widget `widget`,
// and the result the dialog closes with.
inline constexpr int kStaysOpen = -1;
struct KeyPress {
  const char* widget;
  Qt::Key key;
  int result;  // QDialog::Accepted, QDialog::Rejected or kStaysOpen
};

// Gives the widget the focus and presses the key on it: the dialog's result,
// or kStaysOpen when it did not close (it is then rejected).
int PressIn(QWidget* dialog, const KeyPress& press);
// "B_Ok Return", for the messages of a failed row.
std::string Describe(const KeyPress& press);

// Adds a letter at the end of the focused field of `dialog`, so that there is
// an edit to throw away, then Tabs to "Отказ" and presses Enter on it.
void EditThenEnterOnCancel(QWidget* dialog);

}  // namespace zel::test
