// tempovia-cli: download the watch, list what is stored, write reports,
// export and import, without a window. Output meant for scripts is JSON on
// standard output; a failure is one line on standard error and a non-zero exit.

#include <csignal>
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/CliApp.h"
#include "cli/CliContext.h"
#include "cli/CliError.h"

using namespace tempovia::cli;

namespace {

std::string OneLine(std::string text) {
  // Messages written for message boxes break lines; a script reads one line.
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') {
      line += text[i];
      continue;
    }
    line += ' ';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;  // a paragraph break is one blank too
  }
  return line;
}

void PrintFailure(const std::string& message, const std::vector<std::string>& notices) {
  std::string line = "tempovia-cli: " + OneLine(message);
  std::string details;
  for (const std::string& notice : notices)
    if (message.find(OneLine(notice)) == std::string::npos) details += (details.empty() ? "" : "; ") + OneLine(notice);
  if (!details.empty()) line += " [" + details + "]";
  std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Over a file size limit a write then fails and is reported like a full
  // disk, instead of the signal ending the tool half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  CliContext context;
  CLI::App app;
  DefineCli(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version end here too, with 0; every other parse error is a
    // usage error, whatever number the parser gives it.
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  } catch (const CliError& e) {
    PrintFailure(e.what(), context.Notices().Take());
    return e.ExitCode();
  } catch (const std::exception& e) {
    PrintFailure(e.what(), context.Notices().Take());
    return kExitFailure;
  }
  for (const std::string& notice : context.Notices().Take())
    std::fprintf(stderr, "tempovia-cli: warning: %s\n", OneLine(notice).c_str());
  return kExitOk;
}
