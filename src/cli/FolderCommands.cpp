#include <filesystem>
#include <memory>
#include <vector>

#include "base/Printf.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/JsonPaths.h"
#include "store/DataTransfer.h"

namespace tempovia::cli {
namespace {

using Json = nlohmann::ordered_json;

// Each as {"path": ...}, so the path's exact bytes have a sibling field too.
Json PathList(const std::vector<std::filesystem::path>& paths) {
  Json list = Json::array();
  for (const std::filesystem::path& path : paths) {
    Json entry = Json::object();
    SetPath(entry, "path", path.string());
    list.push_back(std::move(entry));
  }
  return list;
}

// A transfer that left entries behind is a failure for a script. An export
// keeps what was copied; an import changed nothing. The first entry says why.
void CheckTransfer(const TransferResult& result, const char* what) {
  if (!result.status) throw CliError(result.status.message());
  if (!result.notCopied.empty()) {
    const CopyFailure& first = result.notCopied.front();
    throw CliError(std::string(what) +
                   " incomplete: " + Counted(static_cast<long long>(result.notCopied.size()), "entry", "entries") +
                   " could not be copied, the first " + first.entry.string() + " (" + first.reason + ")");
  }
}

Json Export(CliContext& context, const std::string& chosen, bool overwrite) {
  if (!std::filesystem::is_directory(chosen)) throw CliError("No such folder: " + chosen, kExitUsage);
  const std::filesystem::path folder = ExportFolderPath(chosen, context.Today());
  if (const Status allowed = CheckExportFolder(context.Paths(), folder); !allowed) throw CliError(allowed.message());
  std::error_code error;
  if (std::filesystem::exists(folder, error) && !overwrite)
    throw CliError("Output folder already exist: " + folder.string() + " (give --overwrite to write into it)");
  const TransferResult result = ExportData(context.Paths(), folder);
  CheckTransfer(result, "Export");
  Json json = Json::object();
  SetPath(json, "path", folder.string());
  json["leftOut"] = PathList(result.leftOut);
  return json;
}

Json Import(CliContext& context, const std::string& source) {
  const TransferResult result = ImportData(context.Paths(), source, context.Now());
  CheckTransfer(result, "Import");
  Json json = Json::object();
  SetPath(json, "imported", source);
  SetPath(json, "dataFolder", context.Paths().DataFolder().string());
  if (result.backup.empty())
    json["backup"] = nullptr;
  else
    SetPath(json, "backup", result.backup.string());
  json["leftOut"] = PathList(result.leftOut);
  json["leftOutOfBackup"] = PathList(result.leftOutOfBackup);
  return json;
}

}  // namespace

void AddFolderCommands(CLI::App& app, CliContext& context) {
  auto* exportCommand = app.add_subcommand("export", "Copy the data folder into a dated folder inside DIR");
  auto exportDir = std::make_shared<std::string>();
  auto overwrite = std::make_shared<bool>(false);
  exportCommand->add_option("DIR", *exportDir, "Where the dated folder goes")->required();
  exportCommand->add_flag("--overwrite", *overwrite, "Write into today's export folder when it exists");
  exportCommand->callback([&context, exportDir, overwrite] { context.Print(Export(context, *exportDir, *overwrite)); });

  auto* importCommand = app.add_subcommand("import", "Copy a folder holding user.dat into the data folder");
  auto importDir = std::make_shared<std::string>();
  importCommand->add_option("DIR", *importDir, "A folder holding user.dat")->required();
  importCommand->callback([&context, importDir] { context.Print(Import(context, *importDir)); });
}

}  // namespace tempovia::cli
