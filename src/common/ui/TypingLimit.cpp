#include "common/ui/TypingLimit.h"

#include <QLineEdit>
#include <algorithm>

#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

// The field's own maximum length would cut a longer text put into it, so
// the limit is kept here: an edit may not make the text longer than the
// limit, or than the text was before the edit, whichever is more.
class TypingLimitValidator : public Cp1251Validator {
public:
  TypingLimitValidator(QLineEdit& edit, int limit) : Cp1251Validator(&edit), limit_(limit), ceiling_(limit) {
    connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { Admit(text.size()); });
  }

  int limit() const { return limit_; }
  // What the field holds now; the edits that follow are measured against it.
  void Admit(qsizetype length) const { ceiling_ = std::max<qsizetype>(limit_, length); }

  State validate(QString& input, int& pos) const override {
    if (input.size() > ceiling_) return Invalid;
    return Cp1251Validator::validate(input, pos);
  }

private:
  const int limit_;
  mutable qsizetype ceiling_;
};

}  // namespace

void LimitTyping(QLineEdit& edit, int maxLength) {
  edit.setMaxLength(maxLength);
  edit.setValidator(new TypingLimitValidator(edit, maxLength));
}

void ShowWhole(QLineEdit& edit, const QString& text) {
  const auto* limit = dynamic_cast<const TypingLimitValidator*>(edit.validator());
  if (limit != nullptr) {
    limit->Admit(text.size());
    edit.setMaxLength(std::max(limit->limit(), static_cast<int>(text.size())));
  }
  edit.setText(text);
}

}  // namespace zel::ui
