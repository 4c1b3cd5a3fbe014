#pragma once
// The result of an operation that can fail: success, or a message for the user.
// The core never throws across layers; it returns one of these (or a bool where
// the caller needs no reason).

#include <string>
#include <utility>

namespace tempovia {

class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return m_ok; }
  explicit operator bool() const { return m_ok; }
  const std::string& message() const { return m_message; }

 private:
  Status() = default;
  explicit Status(std::string message) : m_ok(false), m_message(std::move(message)) {}

  bool m_ok = true;
  std::string m_message;
};

}  // namespace tempovia
