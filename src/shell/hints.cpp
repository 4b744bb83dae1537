#include "shell/hints.h"

namespace zel {

std::string_view ShortHint(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(0, bar);
}

std::string_view LongHint(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

}  // namespace zel
