#pragma once
// The outcome of an operation that can fail: success, or a message for the
// user that already carries the full path and the system's description.

#include <string>
#include <utility>

namespace zel {

class [[nodiscard]] Status {
public:
  static Status Ok() { return Status(); }
  static Status Fail(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  // Code page 1251 (or plain ASCII) text for the Messages seam.
  const std::string& message() const { return message_; }

private:
  Status() = default;
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}
  bool failed_ = false;
  std::string message_;
};

}  // namespace zel
