#include "common/ui/QtText.h"

#include "common/cp1251.h"

namespace zel::ui {

QString ToQt(const std::string& cp1251) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1251.size()));
  // Every character of the code page lies in the Basic Multilingual Plane.
  for (char byte : cp1251) out.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(byte)))));
  return out;
}

std::string FromQt(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  // Code points, not UTF-16 units: a character outside the BMP is one '?'.
  for (char32_t ch : text.toUcs4()) {
    const int byte = UnicodeToCp1251(ch);
    out.push_back(byte < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(byte)));
  }
  return out;
}

QString Qs(const char* utf8) { return QString::fromUtf8(utf8); }

bool FitsCp1251(const QString& text) {
  for (char32_t ch : text.toUcs4()) {
    if (UnicodeToCp1251(ch) < 0) return false;
  }
  return true;
}

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  return FitsCp1251(input) ? Acceptable : Invalid;
}

}  // namespace zel::ui
