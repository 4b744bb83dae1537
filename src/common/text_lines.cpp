#include "common/text_lines.h"

namespace zel {

namespace {
constexpr char kEndOfText = 26;  // Ctrl-Z
}  // namespace

TextLines::TextLines(std::string_view content)
    : text_(content.substr(0, content.find(kEndOfText))), nextCr_(Find('\r', 0)), nextLf_(Find('\n', 0)) {}

std::size_t TextLines::Find(char c, std::size_t from) const {
  const std::size_t at = text_.find(c, from);
  return at == std::string_view::npos ? text_.size() : at;
}

bool TextLines::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  if (nextCr_ < pos_) nextCr_ = Find('\r', pos_);
  if (nextLf_ < pos_) nextLf_ = Find('\n', pos_);
  const std::size_t end = nextCr_ < nextLf_ ? nextCr_ : nextLf_;
  line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}

}  // namespace zel
