#pragma once
// What the dialogs have in common below their widgets: a field's label
// (which every message quotes), the longest text it takes and whether the
// user may edit it; the outcome of a dialog's ordered checks; and the
// messages made of a pattern with a label in place of its "%s".

#include <string>
#include <string_view>
#include <utility>

namespace zel {

struct FieldInfo {
  std::string label;  // code page 1251
  int maxLength = 0;
  bool editable = true;
};

// The first failing check of a dialog, or none. Field is the dialog's enum
// of fields, in the order the dialog shows them.
template <class Field>
struct FieldCheck {
  bool valid = true;
  Field field{};        // the field that gets the focus when not valid
  std::string message;  // the one message to show when not valid (code page 1251)

  static FieldCheck Fail(Field field, std::string message) { return {false, field, std::move(message)}; }
};

// The message pattern (UTF-8 source text) with `label` in place of its "%s".
std::string FieldMessage(std::string_view patternUtf8, const std::string& label);

}  // namespace zel
