#pragma once
// The file side of exporting the data folder to a dated copy and importing a
// copied folder back. The windows ask the questions (which folder, overwrite
// an existing export) and show the results; these do the work.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "FolderCopy.h"
#include "Status.h"
#include "StorePaths.h"

namespace tempovia {

// "Tempovia Data 08-Dec-2008": the day as "%d-%b-%Y" with English month
// names, whatever the user's locale.
std::string ExportFolderName(std::chrono::year_month_day today);
// The chosen folder joined with ExportFolderName, without doubled separators.
std::filesystem::path ExportFolderPath(const std::filesystem::path& chosen, std::chrono::year_month_day today);

// True when folder directly holds a user database, user.dat.
bool IsImportSource(const std::filesystem::path& folder);

struct TransferResult {
  // The first failure that stopped the transfer: "Cannot create output
  // folder", "Incorrect files!", or a folder that could not be made.
  Status status = Status::Ok();
  // Entries that could not be copied; the rest were.
  std::vector<CopyFailure> notCopied;

  bool Complete() const { return status.ok() && notCopied.empty(); }
};

// Copies the data folder (made first when missing) into exportFolder, which
// is created when missing and written into when it exists.
TransferResult ExportData(const StorePaths& paths, const std::filesystem::path& exportFolder);
// Copies everything in source into the data folder (made when missing),
// replacing files of the same name; refused unless source holds user.dat.
TransferResult ImportData(const StorePaths& paths, const std::filesystem::path& source);

}  // namespace tempovia
