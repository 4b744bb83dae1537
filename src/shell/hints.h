#pragma once
// A command's hint: a short part for the tooltip and, after a vertical bar,
// a long part for the status bar. A hint without a bar is both. The parts are
// taken as they stand, blanks included.

#include <string_view>

namespace zel {

std::string_view ShortHint(std::string_view hint);
std::string_view LongHint(std::string_view hint);

}  // namespace zel
