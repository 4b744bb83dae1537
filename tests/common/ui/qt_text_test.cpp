#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "common/cp1251.h"
#include "common/ui/QtText.h"

namespace zel::ui {
namespace {

TEST(QtText, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString unicode = ToQt(all);
  ASSERT_EQ(unicode.size(), 256);
  EXPECT_EQ(FromQt(unicode), all);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(FromQt(ToQt(one)), one) << "byte " << b;
  }
}

TEST(QtText, MapsToTheUnicodeCharacters) {
  EXPECT_EQ(ToQt(Cp("Иванов")), QString::fromUtf8("Иванов"));
  EXPECT_EQ(ToQt("\xB9"), QString(QChar(0x2116)));  // №
  EXPECT_EQ(ToQt("\x88"), QString(QChar(0x20AC)));  // €
  EXPECT_EQ(ToQt("\x98"), QString(QChar(0x0098)));  // the unassigned byte
  EXPECT_EQ(FromQt(QString::fromUtf8("ЖТМ №5")), Cp("ЖТМ №5"));
  EXPECT_EQ(Qs("Стр."), QString::fromUtf8("Стр."));
}

TEST(QtText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(FromQt(QString::fromUtf8("aäb")), "a?b");
  EXPECT_EQ(FromQt(QString::fromUtf8("中")), "?");
  // A character outside the BMP is one character, not two.
  EXPECT_EQ(FromQt(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
  // A lone surrogate is no character at all.
  EXPECT_EQ(FromQt(QString(QChar(0xD800))), "?");
}

TEST(Cp1251Validator, AcceptsOnlyTextsTheCodePageHolds) {
  Cp1251Validator validator;
  int pos = 0;
  QString text = QString::fromUtf8("Петров №1 €");
  EXPECT_EQ(validator.validate(text, pos), QValidator::Acceptable);
  text.clear();
  EXPECT_EQ(validator.validate(text, pos), QValidator::Acceptable);
  text = QString::fromUtf8("Петров ä");
  EXPECT_EQ(validator.validate(text, pos), QValidator::Invalid);
  text = QString::fromUtf8("\xF0\x9F\x98\x80");
  EXPECT_EQ(validator.validate(text, pos), QValidator::Invalid);
}

void Type(QLineEdit& edit, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(&edit, &press);
}

TEST(Cp1251Validator, KeepsForeignCharactersOutOfALineEdit) {
  QLineEdit edit;
  edit.setValidator(new Cp1251Validator(&edit));
  Type(edit, QString::fromUtf8("Ж"));
  Type(edit, QString::fromUtf8("ä"));
  Type(edit, QString::fromUtf8("中"));
  Type(edit, QString::fromUtf8("№"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("Ж№"));
}

}  // namespace
}  // namespace zel::ui
