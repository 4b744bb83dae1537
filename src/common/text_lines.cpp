#include "common/text_lines.h"

namespace zel {

namespace {
constexpr char kEndOfText = 26;  // Ctrl-Z
}  // namespace

TextLines::TextLines(std::string_view content) : text_(content.substr(0, content.find(kEndOfText))) {}

bool TextLines::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end = pos_;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}

}  // namespace zel
