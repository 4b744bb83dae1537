#include "common/ui/QtMessages.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "common/cp1251.h"
#include "common/ui/QtText.h"
#include "support/ui/ModalScript.h"

namespace zel::test {
namespace {

using ui::Qs;

// What the box looked like when it showed.
struct Seen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

class QtMessagesTest : public ::testing::Test {
protected:
  // The next box is recorded and then answered with `answer`.
  void Answer(QMessageBox::StandardButton answer) {
    modal.Then([this, answer](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      ASSERT_NE(box, nullptr);
      seen.title = box->windowTitle();
      seen.text = box->text();
      seen.icon = box->icon();
      for (QAbstractButton* button : box->buttons()) seen.buttons.push_back(box->standardButton(button));
      if (box->defaultButton()) seen.defaultButton = box->standardButton(box->defaultButton());
      box->button(answer)->click();
    });
  }

  ui::QtMessages messages;
  ModalScript modal;
  Seen seen;
};

TEST_F(QtMessagesTest, PlainMessageIsTitledZelWithOkAlone) {
  Answer(QMessageBox::Ok);
  messages.Show(Cp("Затворете всички активни прозорци !!!"));
  EXPECT_EQ(seen.title, Qs("ZEL"));
  EXPECT_EQ(seen.text, Qs("Затворете всички активни прозорци !!!"));
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
  EXPECT_TRUE(WaitUntilNoModal());
}

TEST_F(QtMessagesTest, CaptionedMessageKeepsItsCaption) {
  Answer(QMessageBox::Ok);
  messages.ShowCaptioned("Start Error", "You can not start this program from FDD. Please first copy it to HDD");
  EXPECT_EQ(seen.title, Qs("Start Error"));
  EXPECT_EQ(seen.text, Qs("You can not start this program from FDD. Please first copy it to HDD"));
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

TEST_F(QtMessagesTest, QuestionIsTrueOnlyForOk) {
  Answer(QMessageBox::Ok);
  EXPECT_TRUE(messages.Ask(Cp("Грешка"), Cp("Ще продължите ли?"), Messages::Icon::Question, Messages::Default::Ok));
  EXPECT_EQ(seen.title, Qs("Грешка"));
  EXPECT_EQ(seen.text, Qs("Ще продължите ли?"));
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons.size(), 2);
  EXPECT_TRUE(seen.buttons.contains(QMessageBox::Ok) && seen.buttons.contains(QMessageBox::Cancel));
  EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);

  seen = {};
  Answer(QMessageBox::Cancel);
  EXPECT_FALSE(messages.Ask("Error", "Go on?", Messages::Icon::Error, Messages::Default::Cancel));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.defaultButton, QMessageBox::Cancel);
}

TEST_F(QtMessagesTest, QuestionClosedWithEscapeIsCancel) {
  modal.Then([](QWidget* widget) { static_cast<QMessageBox*>(widget)->reject(); });
  EXPECT_FALSE(messages.Ask("Caption", "Text", Messages::Icon::None, Messages::Default::Ok));
}

TEST_F(QtMessagesTest, ErrorReportIsAnErrorBoxTitledZel) {
  Answer(QMessageBox::Ok);
  messages.ReportError("Error save in file /tmp/x/employIB.dat ! (No space left on device)");
  EXPECT_EQ(seen.title, Qs("ZEL"));
  EXPECT_EQ(seen.text, Qs("Error save in file /tmp/x/employIB.dat ! (No space left on device)"));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

TEST_F(QtMessagesTest, TextIsShownPlainNotAsMarkup) {
  modal.Then([](QWidget* widget) {
    auto* box = static_cast<QMessageBox*>(widget);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    box->accept();
  });
  messages.Show("<b>1 < 2</b>");
}

}  // namespace
}  // namespace zel::test
