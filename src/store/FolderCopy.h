#pragma once
// Copying files and whole folders for export and import: every file is
// replaced whole (a temporary file beside it, then a rename), so an
// interrupted copy never leaves a half-written user.dat behind.

#include <filesystem>
#include <string>
#include <vector>

#include "base/Status.h"

namespace tempovia {

// An entry of the source that was not copied, and why.
struct CopyFailure {
  std::filesystem::path entry;
  std::string reason;
};

// Copies a regular file over another (created when missing).
Status CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies the contents of source into destination, recursively and in the
// order the file system lists them, creating sub-folders and replacing files
// of the same name; files only in destination stay. Each entry's name goes to
// the trace. A symbolic link is followed only to a file inside source; links
// leading out of it, links to folders, pipes and device files are not
// copied. The destination itself is skipped when it lies inside source, and
// so are temporary files of ours (IsTemporaryName), left by a killed rewrite.
// Returns what could not be copied (empty when everything was).
//
// With dataFoldersLeftOut given, a sub-folder that holds a user.dat of its
// own (another data folder, or an export copied in) is not copied but listed
// there: copied along, it would travel one level deeper with every later
// export and import.
std::vector<CopyFailure> CopyFolder(const std::filesystem::path& source, const std::filesystem::path& destination,
                                    std::vector<std::filesystem::path>* dataFoldersLeftOut = nullptr);

}  // namespace tempovia
