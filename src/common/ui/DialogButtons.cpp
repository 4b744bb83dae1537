#include "common/ui/DialogButtons.h"

#include <QFont>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/QtText.h"

namespace zel::ui {

void UseDialogFont(QWidget& dialog) {
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(13);
  dialog.setFont(font);
}

QPushButton* NewDialogButton(QWidget& dialog, const char* name, const char* caption, std::function<void()> click) {
  auto* button = new QPushButton(Qs(caption), &dialog);
  button->setObjectName(Qs(name));
  QObject::connect(button, &QPushButton::clicked, &dialog, std::move(click));
  return button;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QPushButton* button : buttons) row->addWidget(button);
  return row;
}

void FieldsAboveButtons(QWidget& dialog, QLayout* fields, std::initializer_list<QPushButton*> buttons) {
  auto* layout = new QVBoxLayout(&dialog);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addLayout(fields);
  layout->addSpacing(10);
  layout->addLayout(ButtonRow(buttons));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SetTabOrder(std::initializer_list<QWidget*> order) {
  QWidget* previous = nullptr;
  for (QWidget* next : order) {
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

}  // namespace zel::ui
