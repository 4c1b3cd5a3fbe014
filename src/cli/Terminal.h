#pragma once
// The few terminal services the tool needs.

#include <string>

namespace tempovia::cli {

bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();
// Asks on standard error and reads a line from standard input without echo.
std::string ReadSecret(const std::string& prompt);

}  // namespace tempovia::cli
