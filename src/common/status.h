#pragma once
// The outcome of an operation that can fail: success, or a message for the
// user that already carries the full path and the system's description.

#include <string>
#include <utility>

namespace zel {

class [[nodiscard]] Status {
public:
  static Status Ok() { return Status(); }
  // `systemError`: the system's number of the error (errno, GetLastError()),
  // for the file system to judge its own failures by; 0 when there is none.
  static Status Fail(std::string message, int systemError = 0) { return Status(std::move(message), systemError); }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  // Code page 1251 (or plain ASCII) text for the Messages seam.
  const std::string& message() const { return message_; }
  int systemError() const { return systemError_; }

private:
  Status() = default;
  Status(std::string message, int systemError)
      : failed_(true), systemError_(systemError), message_(std::move(message)) {}
  bool failed_ = false;
  int systemError_ = 0;
  std::string message_;
};

}  // namespace zel
