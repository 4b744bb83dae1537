#pragma once
// The lines of a text file, as the program reads every text file: CR LF, a
// lone CR or a lone LF ends a line, the last line counts without an end, and
// a Ctrl-Z (byte 26) ends the file. Lines are views into the content.

#include <cstddef>
#include <string_view>

namespace zel {

class TextLines {
public:
  explicit TextLines(std::string_view content);

  // The next line without its end; false after the last one.
  bool Next(std::string_view& line);

private:
  // The position of a character in the text from `from` on, or the text's size.
  std::size_t Find(char c, std::size_t from) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  // The next CR and LF at or after pos_ (or the text's size), each found by
  // one search that resumes where the last ended: the text is scanned once.
  std::size_t nextCr_;
  std::size_t nextLf_;
};

// Calls each(line) for every line in order.
template <class Each>
void ForEachLine(std::string_view content, Each&& each) {
  TextLines lines(content);
  std::string_view line;
  while (lines.Next(line)) each(line);
}

}  // namespace zel
