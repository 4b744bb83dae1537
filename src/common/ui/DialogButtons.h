#pragma once
// What the dialogs build alike: their font, their push buttons, the row that
// holds them at the right, the frame of fields above that row, and the
// keyboard order.

#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QLayout;
class QPushButton;
class QWidget;

namespace zel::ui {

// The program's font on a dialog, Times New Roman of 13 pixels: a window
// takes no font from its parent.
void UseDialogFont(QWidget& dialog);
// A push button of `dialog`, named as the form names it; `click` runs when it is pressed.
QPushButton* NewDialogButton(QWidget& dialog, const char* name, const char* caption, std::function<void()> click);
// The buttons side by side at the right end of a row.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
// The dialog's layout: `fields` above the buttons' row, 12 pixels from its
// edges, the dialog as large as they need and no larger.
void FieldsAboveButtons(QWidget& dialog, QLayout* fields, std::initializer_list<QPushButton*> buttons);
// The widgets take the keyboard (Tab) in this order.
void SetTabOrder(std::initializer_list<QWidget*> order);

}  // namespace zel::ui
