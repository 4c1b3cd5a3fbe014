#pragma once
// Opening, reading and removing the files the store keeps. A data folder can
// come from anywhere (an import, another computer, a hand-made copy), so a
// stored file is never reached through a symbolic link at its last step, is
// never anything but a regular file, and is never read without a bound. The
// base and data folders themselves may be links a user made on purpose (data
// on another disk): those are followed.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Status.h"

namespace tempovia {

enum class StoredAccess {
  Read,       // shared lock; a missing file (or data folder) reads as empty
  ReadWrite,  // exclusive lock; a missing file is created (mode 0600)
};

// Opens a stored file. fd is -1 after success only for Read of a missing
// file. Once locked, the file is checked to be still the one the path names
// (another program may have replaced it in between) and opened again if not.
// ReadWrite also removes temporary files of ours that a killed rewrite of
// this file left beside it. The message of a failure names the file and why.
Status OpenStoredFile(const std::filesystem::path& path, StoredAccess access, int& fd);

// True for the name of a temporary file or folder of ours: a dot, the name it
// stands in for, a dot and six letters or digits (".100.dat.a1B2c3"). With
// of, only those made for that name.
bool IsTemporaryName(std::string_view entry, std::string_view of = {});

// Removes folder/name, or folder/subfolder/name, unless it is a folder or the
// subfolder is a symbolic link: a link itself may go, never what it leads to.
// 0, or the errno value (ENOENT when there was nothing to remove).
int RemoveStoredEntry(const std::filesystem::path& folder, const std::string& subfolder, const std::string& name);

// "08-Dec-2026" and "08-Dec-2026 14-05-33", with English month names
// whatever the locale; used in the names of dated folders.
std::string DateName(std::chrono::year_month_day date);
std::string DateTimeName(const LocalDateTime& time);

// Creates parent/name, or "name (2)", "name (3)", ... when taken, readable
// by its owner only (copies of the data folder hold passwords).
Status CreateOwnFolder(const std::filesystem::path& parent, const std::string& name, std::filesystem::path& created);

}  // namespace tempovia
