#pragma once
// The tool's command line: the global options and every command, bound to a
// context. main parses with it; the fuzz target parses with it too, without
// running the commands.

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace tempovia::cli {

// Names and describes app, and adds the global options and every command.
void DefineCli(CLI::App& app, CliContext& context);

}  // namespace tempovia::cli
