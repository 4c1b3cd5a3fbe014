#pragma once
// Each group of commands adds itself to the tool.

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tempovia::cli {

void AddImageCommands(CLI::App& app, CliContext& context);   // dump-image, simulate-image, read-image, probe
void AddUserCommands(CLI::App& app, CliContext& context);    // users, add-user, delete-user
void AddDataCommands(CLI::App& app, CliContext& context);    // download, days, exercises
void AddReportCommand(CLI::App& app, CliContext& context);   // report
void AddFolderCommands(CLI::App& app, CliContext& context);  // export, import

}  // namespace tempovia::cli
