// The command line of tempovia-cli, parsed as the tool parses it but with
// every command's work left out: nothing is opened, read or written. The
// input is the arguments, separated by NUL bytes. Parsing either picks
// exactly one command or fails as a usage error; a date the tool accepts
// reads back as the same text; a name it accepts fits its field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/Windows1252.h"
#include "cli/CliApp.h"
#include "cli/CliError.h"
#include "users/UserRules.h"

using namespace tempovia;
using namespace tempovia::cli;

namespace {

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string current;
  for (std::size_t i = 0; i < size && args.size() < 32; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  if (!current.empty() && args.size() < 32) args.push_back(current);
  return args;
}

// Parsed and checked, the command line would run its command: stop there.
struct Parsed {};
class ParseOnly final : public CLI::App {
  void pre_callback() override { throw Parsed{}; }
};

void CheckDate(const std::string& text) {
  try {
    const auto date = ParseDate(text, "--today");
    fuzz::Check(date.ok(), "an accepted date is no day");
    fuzz::Check(DateText(date) == text, "an accepted date does not read back as written");
  } catch (const CliError& e) {
    fuzz::Check(e.ExitCode() == kExitUsage, "a refused date is not a usage error");
  }
}

void CheckName(const std::string& text) {
  try {
    const std::string stored = CliContext::ToStored(text, kMaxNameLength, "The user name");
    fuzz::Check(stored.size() <= kMaxNameLength, "an accepted name is longer than its field");
    const auto utf8 = Windows1252ToUtf8(stored);
    fuzz::Check(utf8 == text, "an accepted name does not read back as typed");
  } catch (const CliError& e) {
    fuzz::Check(e.ExitCode() == kExitUsage, "a refused name is not a usage error");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = Arguments(data, size);
  for (const std::string& arg : args) {
    CheckDate(arg);
    CheckName(arg);
  }

  CliContext context;
  ParseOnly app;
  DefineCli(app, context);
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError&) {
    return 0;
  } catch (const Parsed&) {
    fuzz::Check(app.get_subcommands().size() == 1, "a parse that worked picked no command or several");
    return 0;
  }
  fuzz::Fail("a command ran");
}
