#pragma once
// The control string of a text: the CRC-32 (reflected, polynomial 0xEDB88320,
// seed and final mask 0xFFFFFFFF) of its lines without their line ends, as
// TextLines splits them (CR, LF, up to a Ctrl-Z); lines of any length count
// whole. Shown as eight upper-case hex digits, least significant byte first.

#include <string>
#include <string_view>

namespace zel {

std::string ControlString(std::string_view content);

}  // namespace zel
