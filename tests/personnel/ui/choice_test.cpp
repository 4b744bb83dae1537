#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "common/ui/QtText.h"
#include "personnel/ui/TFChoice.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFChoice;

void Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

QRadioButton* Item(QWidget* dialog, int index) {
  auto* item = dialog->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item%1").arg(index));
  EXPECT_NE(item, nullptr) << index;
  return item;
}

QPushButton* Ok(QWidget* dialog) { return dialog->findChild<QPushButton*>(Qs("Button1")); }

class ChoiceTest : public WindowTest {
protected:
  // Shows the dialog modally with `step` as the user's work; the result.
  int Run(TFChoice& choice, std::function<void(QWidget*)> step) {
    modal.Then(std::move(step));
    const int result = choice.exec();
    EXPECT_TRUE(WaitUntilNoModal());
    return result;
  }
};

TEST_F(ChoiceTest, TwoChoicesAndOneButtonInTheirPlaces) {
  TFChoice choice;
  EXPECT_EQ(choice.windowTitle(), Qs("Избор"));
  EXPECT_EQ(choice.size(), QSize(362, 169));
  EXPECT_EQ(choice.minimumSize(), choice.maximumSize());
  EXPECT_EQ(choice.font().family(), Qs("MS Sans Serif"));
  EXPECT_EQ(choice.font().pointSize(), 8);
  EXPECT_FALSE(choice.windowFlags() &
               (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));

  auto* group = choice.findChild<QGroupBox*>(Qs("RadioGroup1"));
  ASSERT_NE(group, nullptr);
  EXPECT_TRUE(group->title().isEmpty());
  EXPECT_EQ(group->geometry(), QRect(24, 8, 249, 97));
  EXPECT_EQ(Item(&choice, 0)->text(), Qs("Откриване на сметки"));
  EXPECT_EQ(Item(&choice, 1)->text(), Qs("Заявка за овърдрафт"));
  EXPECT_TRUE(Item(&choice, 0)->isChecked());
  EXPECT_EQ(choice.ItemIndex(), 0);
  EXPECT_EQ(choice.ChosenType(), RequestType::AccountOpening);

  ASSERT_NE(Ok(&choice), nullptr);
  EXPECT_EQ(Ok(&choice)->text(), Qs("Ок"));
  EXPECT_EQ(Ok(&choice)->geometry(), QRect(264, 128, 75, 25));
  EXPECT_TRUE(Ok(&choice)->isDefault());
  // No cancel button: the close box is the way out.
  EXPECT_EQ(choice.findChildren<QPushButton*>().size(), 1);
}

TEST_F(ChoiceTest, TheChoicesExcludeEachOtherAndTheLastOneStaysForTheNextUse) {
  TFChoice choice;
  EXPECT_EQ(Run(choice,
                [](QWidget* dialog) {
                  Item(dialog, 1)->click();
                  EXPECT_FALSE(Item(dialog, 0)->isChecked());
                  Ok(dialog)->click();
                }),
            QDialog::Accepted);
  EXPECT_EQ(choice.ChosenType(), RequestType::Overdraft);

  bool preselected = false;
  EXPECT_EQ(Run(choice,
                [&](QWidget* dialog) {
                  preselected = Item(dialog, 1)->isChecked();
                  // Enter takes the default button wherever the focus is.
                  Key(Item(dialog, 1), Qt::Key_Return);
                }),
            QDialog::Accepted);
  EXPECT_TRUE(preselected);
  EXPECT_EQ(choice.ItemIndex(), 1);
}

TEST_F(ChoiceTest, CloseBoxAndEscapeAreNotOk) {
  TFChoice choice;
  EXPECT_NE(Run(choice, [](QWidget* dialog) { dialog->close(); }), QDialog::Accepted);
  EXPECT_NE(Run(choice, [](QWidget* dialog) { Key(Item(dialog, 0), Qt::Key_Escape); }), QDialog::Accepted);
  EXPECT_FALSE(choice.isVisible());
}

}  // namespace
}  // namespace zel::test
