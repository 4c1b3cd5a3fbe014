#include "cli/CliApp.h"

#include <string>

#include "base/Version.h"
#include "cli/Commands.h"

namespace tempovia::cli {

void DefineCli(CLI::App& cli, CliContext& context) {
  CLI::App* app = &cli;
  app->name("tempovia-cli");
  app->description(
      "Tempovia's command-line companion: download the watch, list what is stored, write PDF reports, "
      "export and import the data folder.");
  app->set_version_flag("--version", std::string("tempovia-cli ") + kProgramVersion);
  app->footer(
      "Output for scripts is JSON on standard output. A path in it is UTF-8 text in which\n"
      "each byte that is not valid UTF-8 shows as U+FFFD; only then a sibling field named\n"
      "after it with \"Bytes\" added (\"path\", \"pathBytes\") holds the path's exact bytes\n"
      "in base64. CSV and --table output write text as it is.");
  app->require_subcommand(1);
  app->add_option("--home", context.home,
                  "The base folder (default $TEMPOVIA_HOME, else ~/.local/share/Tempovia/R7204)");
  app->add_option("--simulate-watch", context.simulate,
                  "Use the watch simulator: a seed for its simulated week (default 1) or a 512-byte image file")
      ->expected(0, 1);
  app->add_flag("--simulate-instant", context.instant, "The simulated watch answers without the watch's pauses");
  app->add_flag("--trace", context.trace, "Write the diagnostic trace to standard error");
  auto* password =
      app->add_option("--password", context.password, "The user's password (else $TEMPOVIA_PASSWORD, else asked for)");
  app->add_option("--today", context.today, "Take this day (YYYY-MM-DD) as today");
  app->parse_complete_callback([&context, password, root = app] {
    context.simulateGiven = root->count("--simulate-watch") > 0;
    context.passwordGiven = password->count() > 0;
    context.Prepare();
  });

  AddImageCommands(*app, context);
  AddUserCommands(*app, context);
  AddDataCommands(*app, context);
  AddReportCommand(*app, context);
  AddFolderCommands(*app, context);
}

}  // namespace tempovia::cli
