#pragma once
// Fields for values that live outside the program's files (the company data
// in the settings store), which other software may have written longer than
// the field takes. A value is never cut by showing it: what was stored is
// what is saved back, unless the user changes it.

#include <QString>

class QLineEdit;

namespace zel::ui {

// Typing stops at `maxLength` characters, and characters code page 1251
// cannot hold are refused. A longer text the field is given (ShowWhole)
// stays whole; the user may shorten it or change it without making it
// longer, and once it is within `maxLength` that limit holds again.
void LimitTyping(QLineEdit& edit, int maxLength);

// Puts `text` whole into a field limited by LimitTyping.
void ShowWhole(QLineEdit& edit, const QString& text);

}  // namespace zel::ui
