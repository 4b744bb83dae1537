#include "personnel/ui/TFChoice.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

QRadioButton* NewItem(QWidget* parent, const char* name, const char* caption) {
  auto* item = new QRadioButton(Qs(caption), parent);
  item->setObjectName(Qs(name));
  return item;
}

}  // namespace

TFChoice::TFChoice(QWidget* parent) : QDialog(parent) {
  setObjectName(Qs("FChoice"));
  setWindowTitle(Qs("Избор"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  QFont font(Qs("MS Sans Serif"));
  font.setPointSize(8);
  setFont(font);
  setFixedSize(362, 169);

  // A group without a caption: the frame alone holds the two choices.
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName(Qs("RadioGroup1"));
  RadioGroup1->setGeometry(24, 8, 249, 97);
  Item0 = NewItem(RadioGroup1, "RadioGroup1Item0", "Откриване на сметки");
  Item1 = NewItem(RadioGroup1, "RadioGroup1Item1", "Заявка за овърдрафт");
  auto* items = new QVBoxLayout(RadioGroup1);
  items->setContentsMargins(10, 6, 10, 6);
  items->addWidget(Item0);
  items->addWidget(Item1);
  auto* exclusive = new QButtonGroup(this);
  exclusive->addButton(Item0, 0);
  exclusive->addButton(Item1, 1);
  Item0->setChecked(true);

  Button1 = new QPushButton(Qs("Ок"), this);
  Button1->setObjectName(Qs("Button1"));
  Button1->setGeometry(264, 128, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(Item0, Item1);
  setTabOrder(Item1, Button1);
  // The keyboard starts on the choices; the dialog is kept for the run, and
  // each later use starts where the last one left the focus.
  Item0->setFocus();
}

TFChoice& TFChoice::KeptFor(QWidget& window) {
  QWidget* top = window.window();
  auto* kept = top->findChild<TFChoice*>(QString(), Qt::FindDirectChildrenOnly);
  return kept != nullptr ? *kept : *new TFChoice(top);
}

int TFChoice::ItemIndex() const { return Item1->isChecked() ? 1 : 0; }

RequestType TFChoice::ChosenType() const {
  return ItemIndex() == 0 ? RequestType::AccountOpening : RequestType::Overdraft;
}

}  // namespace zel::ui
