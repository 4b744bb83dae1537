#include "common/form_fields.h"

#include "common/cp1251.h"

namespace zel {

std::string FieldMessage(std::string_view patternUtf8, const std::string& label) {
  std::string message = Cp(patternUtf8);
  if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, label);
  return message;
}

}  // namespace zel
