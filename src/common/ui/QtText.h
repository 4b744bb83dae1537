#pragma once
// The one crossing of texts between the program's code page 1251 strings and
// Qt's Unicode strings. Every one of the 256 bytes survives a round trip.

#include <QString>
#include <QValidator>
#include <string>

namespace zel::ui {

QString ToQt(const std::string& cp1251);
// A character that code page 1251 cannot hold becomes '?'.
std::string FromQt(const QString& text);
// A UTF-8 literal of the window code.
QString Qs(const char* utf8);

// True when every character of the text has a code page 1251 byte.
bool FitsCp1251(const QString& text);

// Refuses any edit that would bring a character code page 1251 cannot hold
// into a field, so the field never holds a text the program would garble.
class Cp1251Validator : public QValidator {
  Q_OBJECT
public:
  explicit Cp1251Validator(QObject* parent = nullptr) : QValidator(parent) {}
  State validate(QString& input, int& pos) const override;
};

}  // namespace zel::ui
