#pragma once
// A failure of a command: one clear line for standard error and an exit code.
// Thrown only inside the tool and caught in main.

#include <stdexcept>
#include <string>

namespace tempovia::cli {

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitNoWatch = 3, kExitDenied = 4 };

class CliError : public std::runtime_error {
 public:
  explicit CliError(const std::string& message, int exitCode = kExitFailure)
      : std::runtime_error(message), m_exitCode(exitCode) {}
  int ExitCode() const { return m_exitCode; }

 private:
  int m_exitCode;
};

}  // namespace tempovia::cli
