#pragma once
// Message boxes: the only place of the program that shows one.

#include "common/messages.h"

namespace zel::ui {

class QtMessages : public Messages {
public:
  void Show(const std::string& text) override;
  void ShowCaptioned(const std::string& caption, const std::string& text) override;
  bool Ask(const std::string& caption, const std::string& text, Icon icon, Default defaultButton) override;
  void ReportError(const std::string& text) override;
};

}  // namespace zel::ui
