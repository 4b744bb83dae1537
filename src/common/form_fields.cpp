#include "common/form_fields.h"

#include "common/cp1251.h"
#include "common/text.h"

namespace zel {

std::string FieldMessage(std::string_view patternUtf8, const std::string& label) {
  return FillPattern(Cp(patternUtf8), {label});
}

}  // namespace zel
