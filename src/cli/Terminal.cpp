#include "cli/Terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace tempovia::cli {

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}
bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

std::string ReadSecret(const std::string& prompt) {
  std::fputs(prompt.c_str(), stderr);
  std::fflush(stderr);
  termios saved{};
  const bool canHide = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (canHide) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  std::string line;
  std::getline(std::cin, line);
  if (canHide) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
  std::fputs("\n", stderr);
  return line;
}

}  // namespace tempovia::cli
