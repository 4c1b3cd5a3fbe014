#pragma once
// The result of an operation that can fail: success, or a message for the user.
// The core never throws across layers; operations that can fail return one of
// these, and a bool answers only a plain question (see CONTRIBUTING.md).

#include <string>
#include <utility>

namespace tempovia {

class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  // systemError: the errno value behind the failure where the caller may act
  // on it (a missing permission has a fix of its own); 0 when none.
  static Status Error(std::string message, int systemError = 0) { return Status(std::move(message), systemError); }

  bool ok() const { return m_ok; }
  explicit operator bool() const { return m_ok; }
  const std::string& message() const { return m_message; }
  int systemError() const { return m_systemError; }

 private:
  Status() = default;
  Status(std::string message, int systemError)
      : m_ok(false), m_message(std::move(message)), m_systemError(systemError) {}

  bool m_ok = true;
  std::string m_message;
  int m_systemError = 0;
};

}  // namespace tempovia
