#pragma once
// The file side of exporting the data folder to a dated copy and importing a
// copied folder back. The windows ask the questions (which folder, overwrite
// an existing export) and show the results; these do the work.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Status.h"
#include "store/FolderCopy.h"
#include "store/StorePaths.h"

namespace tempovia {

inline constexpr char kIncorrectFilesMessage[] = "Incorrect files!";

// "Tempovia Data 08-Dec-2008": the day as "%d-%b-%Y" with English month
// names, whatever the user's locale.
std::string ExportFolderName(std::chrono::year_month_day today);
// The chosen folder joined with ExportFolderName, without doubled separators.
std::filesystem::path ExportFolderPath(const std::filesystem::path& chosen, std::chrono::year_month_day today);

// True when folder directly holds a user database, user.dat.
bool IsImportSource(const std::filesystem::path& folder);
// Whether folder's user.dat reads as a user database, as the store checks
// one at open: a whole number of records, every file a user names a plain
// name in the data folder, no id twice, no file named for two users. An
// empty user.dat (an export made after the last user was deleted) is one.
// The error says what is wrong, without kIncorrectFilesMessage.
Status CheckImportSource(const std::filesystem::path& folder);

// Refuses an export folder inside the base folder (or inside the data
// folder, wherever that lies): each later export would copy this one again.
Status CheckExportFolder(const StorePaths& paths, const std::filesystem::path& exportFolder);

struct TransferResult {
  // The first failure that stopped the transfer: "Cannot create output
  // folder", "Incorrect files!" with why, a refused folder, or why nothing
  // was imported.
  Status status = Status::Ok();
  // Entries that could not be copied (for an import, the ones that made it
  // give up; for an export, the ones missing from the copy).
  std::vector<CopyFailure> notCopied;
  // Sub-folders that hold a user.dat of their own, left out of the copy
  // (an export's or an import's source side): another data folder or export.
  std::vector<std::filesystem::path> leftOut;
  // Import only: the same, left out of the safety copy (they stay in the
  // data folder).
  std::vector<std::filesystem::path> leftOutOfBackup;
  // Import only: the dated safety copy of the data folder made before
  // anything changed, "<base>/Backups/Tempovia Data before import
  // 08-Dec-2026 14-05-33"; empty when the data folder held nothing yet, or
  // when the import failed (the data folder is then as it was).
  std::filesystem::path backup;

  bool Complete() const { return status.ok() && notCopied.empty(); }
};

// Copies the data folder (made first when missing) into exportFolder, which
// is created when missing and written into when it exists; sub-folders that
// hold a user.dat of their own are left out. Refused, as CheckExportFolder
// says, inside the base folder.
TransferResult ExportData(const StorePaths& paths, const std::filesystem::path& exportFolder);

// Replaces the data folder by itself plus everything in source (files of the
// same name replaced, files source lacks kept), wholly or not at all: the
// result is built in a new folder beside the data folder and swapped in only
// once every file arrived. Before anything changes, a dated copy of the data
// folder goes into the backup area, readable by its owner only (user.dat
// holds passwords). Sub-folders of source holding a user.dat of their own are
// left out of the import, and those of the data folder out of its safety
// copy. Refused (kIncorrectFilesMessage, then why) when source's user.dat
// is missing or fails CheckImportSource, and refused for the data folder
// itself or a folder inside or around it, and while another program of ours
// has the user database open (so close it first, and open it again after).
// now names the safety copy.
TransferResult ImportData(const StorePaths& paths, const std::filesystem::path& source, const LocalDateTime& now);
// The same, named after the system clock's time.
TransferResult ImportData(const StorePaths& paths, const std::filesystem::path& source);

}  // namespace tempovia
