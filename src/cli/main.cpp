// tempovia-cli: download the watch, list what is stored, write reports,
// export and import, without a window. Output meant for scripts is JSON on
// standard output; a failure is one line on standard error and a non-zero exit.

#include <csignal>
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "CliContext.h"
#include "CliError.h"
#include "Commands.h"

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
  CLI::App app{
      "Tempovia's command-line companion: download the watch, list what is stored, write PDF reports, "
      "export and import the data folder.",
      "tempovia-cli"};
  app.set_version_flag("--version", "tempovia-cli 1.27");
  app.footer(
      "Output for scripts is JSON on standard output. A path in it is UTF-8 text in which\n"
      "each byte that is not valid UTF-8 shows as U+FFFD; only then a sibling field named\n"
      "after it with \"Bytes\" added (\"path\", \"pathBytes\") holds the path's exact bytes\n"
      "in base64. CSV and --table output write text as it is.");
  app.require_subcommand(1);
  app.add_option("--home", context.home,
                 "The base folder (default $TEMPOVIA_HOME, else ~/.local/share/Tempovia/R7204)");
  app.add_option("--simulate-watch", context.simulate,
                 "Use the watch simulator: a seed for its simulated week (default 1) or a 512-byte image file")
      ->expected(0, 1);
  app.add_flag("--simulate-instant", context.instant, "The simulated watch answers without the watch's pauses");
  app.add_flag("--trace", context.trace, "Write the diagnostic trace to standard error");
  auto* password =
      app.add_option("--password", context.password, "The user's password (else $TEMPOVIA_PASSWORD, else asked for)");
  app.add_option("--today", context.today, "Take this day (YYYY-MM-DD) as today");
  app.parse_complete_callback([&] {
    context.simulateGiven = app.count("--simulate-watch") > 0;
    context.passwordGiven = password->count() > 0;
    context.Prepare();
  });

  AddImageCommands(app, context);
  AddUserCommands(app, context);
  AddDataCommands(app, context);
  AddReportCommand(app, context);
  AddFolderCommands(app, context);

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
