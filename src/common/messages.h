#pragma once
// What the program tells the user and asks of him. Texts are code page 1251.
// The Qt realisation shows message boxes; tests script the answers.

#include <string>

namespace zel {

class Messages {
public:
  enum class Icon { None, Question, Error };
  enum class Default { Ok, Cancel };

  virtual ~Messages() = default;

  // A plain message: title "ZEL", no icon, one OK button.
  virtual void Show(const std::string& text) = 0;
  // A message with its own caption and one OK button ("Start Error").
  virtual void ShowCaptioned(const std::string& caption, const std::string& text) = 0;
  // An OK/Cancel question; true only when the user answered OK.
  virtual bool Ask(const std::string& caption, const std::string& text, Icon icon, Default defaultButton) = 0;
  // The report of an operation that failed, with the system's description.
  virtual void ReportError(const std::string& text) = 0;
};

}  // namespace zel
