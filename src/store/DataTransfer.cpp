#include "store/DataTransfer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "base/Notice.h"
#include "base/RegularFile.h"
#include "base/Windows1252.h"
#include "store/FileWriter.h"
#include "store/LocalUserRecord.h"
#include "store/StoredFile.h"
#include "store/UserData.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "DataTransfer";

namespace fs = std::filesystem;

constexpr char kNothingImported[] = "Nothing was imported: ";

// True when path is folder or lies inside it (both canonical).
bool Inside(const fs::path& path, const fs::path& folder) {
  const auto [folderEnd, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return folderEnd == folder.end();
}

void RemoveTree(const fs::path& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  if (error) TV_TRACE("Cannot remove %s: %s\n", folder.c_str(), error.message().c_str());
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Whether the data folder holds anything worth a safety copy: more than the
// empty user.dat a first start leaves.
bool HoldsData(const fs::path& data) {
  std::error_code error;
  for (fs::directory_iterator it(data, error); !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsTemporaryName(name)) continue;
    std::error_code sizeError;
    if (name == StorePaths::kUserDatabaseName && it->is_regular_file(sizeError) && it->file_size(sizeError) == 0)
      continue;
    return true;
  }
  return false;
}

// A new folder beside target, named as our temporary names are.
Status MakeFolderBeside(const fs::path& target, fs::path& made) {
  std::string name = ".";
  name += target.filename().string();
  name += ".XXXXXX";
  std::string pattern = (target.parent_path() / name).string();
  if (::mkdtemp(pattern.data()) == nullptr)
    return Status::Error("Cannot create a folder beside " + FileErrorText(target, errno));
  made = pattern;
  return Status::Ok();
}

// Removes what an import killed half-way left beside the data folder.
void RemoveStaleStaging(const fs::path& data) {
  std::error_code error;
  for (fs::directory_iterator it(data.parent_path(), error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    std::error_code kind;
    if (IsTemporaryName(it->path().filename().string(), data.filename().string()) &&
        it->symlink_status(kind).type() == fs::file_type::directory)
      RemoveTree(it->path());
  }
}

// Swaps the finished folder in. Afterwards staging names the old data. When
// even putting the old folder back failed, stranded says where it now lies.
int SwapIn(const fs::path& staging, const fs::path& data, fs::path& stranded) {
  FileWriter& writer = ActiveFileWriter();
  int error = writer.Exchange(staging, data);
  if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP) return error;
  // A file system that cannot swap in one step: the old folder steps aside,
  // the new one moves in, and the old one comes back if that fails.
  fs::path old;
  if (!MakeFolderBeside(data, old)) return EIO;
  error = writer.Rename(data, old);
  if (error != 0) {
    RemoveTree(old);
    return error;
  }
  error = writer.Rename(staging, data);
  if (error != 0) {
    if (writer.Rename(old, data) != 0) stranded = old;
    return error;
  }
  RemoveTree(staging);
  std::error_code ignored;
  fs::rename(old, staging, ignored);
  return 0;
}

}  // namespace

std::string ExportFolderName(std::chrono::year_month_day today) {
  return "Tempovia Data " + DateName(today);
}

fs::path ExportFolderPath(const fs::path& chosen, std::chrono::year_month_day today) {
  return (chosen / ExportFolderName(today)).lexically_normal();
}

bool IsImportSource(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / StorePaths::kUserDatabaseName, error);
}

Status CheckImportSource(const fs::path& folder) {
  const fs::path file = folder / StorePaths::kUserDatabaseName;
  if (!IsImportSource(folder)) return Status::Error(folder.string() + " holds no user.dat");
  // Far more users than anyone keeps; a larger file is not ours.
  constexpr std::size_t kLimit = 16 * 1024 * 1024;
  std::vector<std::uint8_t> bytes;
  if (Status read = ReadRegularFile(file, kLimit, bytes); !read) return read;
  const std::string notUsers = file.string() + " is not a user database: ";
  if (bytes.size() > kLimit) return Status::Error(notUsers + "it is larger than any user database");
  if (bytes.size() % LocalUserRecord::kSize != 0)
    return Status::Error(notUsers + "its " + std::to_string(bytes.size()) + " bytes are not a whole number of " +
                         std::to_string(LocalUserRecord::kSize) + "-byte user records");
  std::vector<LocalUserRecord> users;
  for (std::size_t at = 0; at < bytes.size(); at += LocalUserRecord::kSize)
    users.push_back(LocalUserRecord::FromBytes(bytes.data() + at));
  for (std::size_t i = 0; i < users.size(); ++i) {
    const LocalUserRecord& user = users[i];
    const auto named = [&](const std::string& name, const char* what) {
      return "record " + std::to_string(i + 1) + " names \"" + Windows1252ToUtf8(name) + "\" as its " + what +
             ", which is not a file name in the data folder";
    };
    if (!StorePaths::UserFileIn(folder, user.stepFile))
      return Status::Error(notUsers + named(user.stepFile, "step file"));
    if (!StorePaths::UserFileIn(folder, user.exerciseFile))
      return Status::Error(notUsers + named(user.exerciseFile, "exercise file"));
    if (!user.photo.empty() && !StorePaths::PhotoFileIn(folder, user.photo))
      return Status::Error(notUsers + named(user.photo, "photo"));
  }
  for (const LocalUserRecord& user : users)
    if (Status checked = UserData::CheckUserAmong(users, user.id); !checked)
      return Status::Error(file.string() + " cannot be imported: " + checked.message());
  return Status::Ok();
}

Status CheckExportFolder(const StorePaths& paths, const fs::path& exportFolder) {
  std::error_code error;
  const fs::path target = fs::weakly_canonical(exportFolder, error);
  if (error) return Status::Error("Cannot create output folder");
  for (const fs::path& own : {paths.Base(), paths.DataFolder()}) {
    const fs::path folder = fs::weakly_canonical(own, error);
    if (!error && Inside(target, folder))
      return Status::Error("Cannot export into Tempovia's own folder (" + folder.string() +
                           "): every later export would hold this one again. Choose a folder outside it.");
  }
  return Status::Ok();
}

TransferResult ExportData(const StorePaths& paths, const fs::path& exportFolder) {
  TransferResult result;
  if (Status data = paths.CreateDataFolder(); !data) {
    result.status = data;
    return result;
  }
  if (Status allowed = CheckExportFolder(paths, exportFolder); !allowed) {
    result.status = allowed;
    return result;
  }
  std::error_code error;
  fs::create_directory(exportFolder, error);
  if (error || !fs::is_directory(exportFolder, error)) {
    result.status = Status::Error("Cannot create output folder");
    return result;
  }
  result.notCopied = CopyFolder(paths.DataFolder(), exportFolder, &result.leftOut);
  return result;
}

TransferResult ImportData(const StorePaths& paths, const fs::path& source) {
  return ImportData(paths, source, SystemClockInstance().Now());
}

namespace {

// The folders an import works on: the real data folder (it may be a link to
// another disk; the real one is swapped) and the source, refused when either
// holds the other or the source holds the base folder.
Status ResolveImportFolders(const StorePaths& paths, const fs::path& source, fs::path& data, fs::path& from) {
  std::error_code error;
  data = fs::canonical(paths.DataFolder(), error);
  if (error) return Status::Error(kNothingImported + FileErrorText(paths.DataFolder(), error.value()));
  from = fs::canonical(source, error);
  if (error) return Status::Error(kNothingImported + FileErrorText(source, error.value()));
  const fs::path base = fs::canonical(paths.Base(), error);
  if (from == data)
    return Status::Error(
        "The data folder cannot be imported into itself. Choose an exported copy or a backup instead.");
  if (Inside(from, data))
    return Status::Error(source.string() +
                         " lies inside the data folder. Choose an exported copy or a backup kept outside it instead.");
  if (Inside(data, from) || (!error && Inside(base, from)))
    return Status::Error(source.string() +
                         " holds Tempovia's own folder. Choose the copy itself: the folder that holds user.dat.");
  return Status::Ok();
}

// The copy of the data folder as it was, in the backup area. An import that
// gives up leaves no trace: neither the copy nor a backup area made for it.
class SafetyCopy {
 public:
  explicit SafetyCopy(const StorePaths& paths) : m_backups(paths.BackupsFolder()) {
    std::error_code probe;
    m_hadBackups = fs::exists(m_backups, probe);
  }

  // Fills result.backup, notCopied and leftOutOfBackup; a copy that failed is dropped.
  Status Make(const fs::path& data, const LocalDateTime& now, TransferResult& result) const {
    if (Status made = CreateOwnFolder(m_backups, "Tempovia Data before import " + DateTimeName(now), result.backup);
        !made) {
      Drop({});
      return Status::Error(std::string(kNothingImported) + "the data folder could not be backed up first. " +
                           made.message());
    }
    result.notCopied = CopyFolder(data, result.backup, &result.leftOutOfBackup);
    if (result.notCopied.empty()) return Status::Ok();
    Drop(result.backup);
    const CopyFailure& first = result.notCopied.front();
    return Status::Error(std::string(kNothingImported) + "the data folder could not be backed up first (" +
                         first.entry.string() + ": " + first.reason + ")");
  }

  void Drop(const fs::path& copy) const {
    if (!copy.empty()) RemoveTree(copy);
    std::error_code ignored;
    if (!m_hadBackups) fs::remove(m_backups, ignored);  // only while empty
  }

 private:
  fs::path m_backups;
  bool m_hadBackups = false;
};

// The new data folder, made beside the old: everything the data folder holds
// (nested data folders too: nothing of it is lost), then what comes in,
// sifted. Fills result.notCopied and leftOut.
Status StageImport(const fs::path& data, const fs::path& from, fs::path& staging, TransferResult& result) {
  if (Status made = MakeFolderBeside(data, staging); !made) return made;
  result.notCopied = CopyFolder(data, staging);
  if (result.notCopied.empty()) result.notCopied = CopyFolder(from, staging, &result.leftOut);
  if (!result.notCopied.empty()) {
    const CopyFailure& first = result.notCopied.front();
    return Status::Error(first.entry.string() + " could not be copied (" + first.reason + ")");
  }
  SyncFolder(staging);
  return Status::Ok();
}

}  // namespace

TransferResult ImportData(const StorePaths& paths, const fs::path& source, const LocalDateTime& now) {
  TransferResult result;
  const auto fail = [&result](std::string message) {
    result.status = Status::Error(std::move(message));
    result.backup.clear();
    return result;
  };
  if (Status made = paths.CreateDataFolder(); !made) return fail(made.message());
  const auto incorrect = [&](const Status& why) {
    return fail(std::string(kIncorrectFilesMessage) + "\n\n" + why.message());
  };
  if (!IsImportSource(source)) return incorrect(CheckImportSource(source));
  fs::path data;
  fs::path from;
  if (Status where = ResolveImportFolders(paths, source, data, from); !where) return fail(where.message());
  if (Status checked = CheckImportSource(source); !checked) return incorrect(checked);

  // Held until the swap: no other program of ours may write the data folder
  // meanwhile, or its changes would be lost with the old folder. A shared
  // lock keeps writers out and, unlike opening for writing, creates no empty
  // user.dat in a data folder that has none (an import that gives up must
  // leave it as it was).
  int lockFd = -1;
  if (Status locked = OpenStoredFile(data / StorePaths::kUserDatabaseName, StoredAccess::Read, lockFd); !locked)
    return fail(kNothingImported + locked.message());
  struct Unlock {
    int fd;
    ~Unlock() {
      if (fd >= 0) ::close(fd);
    }
  } unlock{lockFd};

  RemoveStaleStaging(data);
  const SafetyCopy safety(paths);
  if (HoldsData(data)) {
    if (Status copied = safety.Make(data, now, result); !copied) return fail(copied.message());
  }
  const fs::path backup = result.backup;
  // Nothing changed: a safety copy of an unchanged folder is only clutter.
  const auto giveUp = [&](const fs::path& staging, const std::string& message) {
    if (!staging.empty()) RemoveTree(staging);
    safety.Drop(backup);
    return fail(kNothingImported + message);
  };
  fs::path staging;
  if (Status staged = StageImport(data, from, staging, result); !staged) return giveUp(staging, staged.message());
  fs::path stranded;
  if (const int swapped = SwapIn(staging, data, stranded); swapped != 0) {
    if (stranded.empty())
      return giveUp(staging, "the data folder could not be replaced (" + SystemErrorText(swapped) + ")");
    result.status =
        Status::Error("The import failed half-way (" + SystemErrorText(swapped) + "): the data folder now lies at " +
                      stranded.string() + "; its safety copy is " + backup.string());
    return result;
  }
  SyncFolder(data.parent_path());
  RemoveTree(staging);  // the old data, kept in the safety copy
  return result;
}

}  // namespace tempovia
