#pragma once
// What the two list windows of the frame (the personnel list and the mass
// payment list) have in common: the font, the one list above a bar of
// buttons, its selection, the line opened by Enter or a double click, the
// frame they get in the main window, and saving once as they close.

#include <QFont>
#include <functional>

#include "common/print_surface.h"

class QAbstractItemView;
class QCheckBox;
class QCloseEvent;
class QPushButton;
class QWidget;

namespace zel::ui {

// Times New Roman of 10 pixels, for the window and its list.
QFont ListWindowFont();
// The same font for the printout of the list.
PrintFont ListPrintFont(const QFont& font);

constexpr int kButtonBarHeight = 37;

// The list fills the window above the bar, which runs along the bottom.
void StackListOverBar(QWidget& window, QWidget& list, QWidget& bar);
// A button of the bar; Enter in the list does not press it.
QPushButton* NewBarButton(QWidget& bar, const char* name, const char* caption);
// "Покажи стари сметки": the third column shows the old-style account.
QCheckBox* NewOldAccountsBox(QWidget& bar);

// The selected line, -1 when none.
int SelectedRow(const QAbstractItemView& list);
// Makes `row` the current and only selected line and scrolls to it; a row
// outside the list clears the selection.
void SelectRow(QAbstractItemView& list, int row);

// Enter in the list and a double click on a line run `edit`.
void EditOnEnterOrDoubleClick(QAbstractItemView& list, std::function<void()> edit);

// In the main window the list window has a title, a maximise and a close
// button, and no minimise button (its menu then offers no minimise either).
// Run when the window gets its frame there (its parent changes).
void TrimSystemMenu(QWidget& listWindow);

// The close handler: `formClose` saves the window's data and says whether
// the window may go. A failed save keeps the window open with its data;
// once closed the window never saves again.
void CloseOnce(QCloseEvent& event, bool& closed, const std::function<bool()>& formClose);

}  // namespace zel::ui
