#include "store/StoredFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

#include "store/FileWriter.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "StoredFile";

// A file replaced this often between opening and locking is being fought
// over; give up rather than loop.
constexpr int kOpenAttempts = 8;

Status LinkRefused(const std::filesystem::path& path) {
  return Status::Error(path.string() + ": a symbolic link; files in Tempovia's folders are never opened through links");
}

Status NotRegular(const std::filesystem::path& path) {
  return Status::Error(path.string() + ": not a regular file");
}

void RemoveStaleTemporaries(int folderFd, const std::string& name) {
  const int listFd = ::dup(folderFd);
  if (listFd < 0) return;
  DIR* folder = ::fdopendir(listFd);
  if (folder == nullptr) {
    ::close(listFd);
    return;
  }
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(folder))
    if (IsTemporaryName(entry->d_name, name)) stale.emplace_back(entry->d_name);
  ::closedir(folder);
  for (const std::string& entry : stale) {
    struct stat info {};
    if (::fstatat(folderFd, entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(info.st_mode)) continue;
    TV_TRACE("Removing %s, left by a rewrite that never finished\n", entry.c_str());
    ::unlinkat(folderFd, entry.c_str(), 0);
  }
}

}  // namespace

Status OpenStoredFile(const std::filesystem::path& path, StoredAccess access, int& fd) {
  fd = -1;
  const bool writing = access == StoredAccess::ReadWrite;
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") return Status::Error(path.string() + ": not a file name");
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) {
    const int error = errno;
    if (!writing && error == ENOENT) return Status::Ok();  // nothing stored yet
    return Status::Error(FileErrorText(path, error));
  }

  FileWriter& writer = ActiveFileWriter();
  const int flags = (writing ? O_RDWR | O_CREAT : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  Status result = Status::Ok();
  for (int attempt = 1; fd < 0; ++attempt) {
    struct stat seen {};
    if (::fstatat(folderFd, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) == 0) {
      if (S_ISLNK(seen.st_mode)) {
        result = LinkRefused(path);
        break;
      }
      if (!S_ISREG(seen.st_mode)) {
        result = NotRegular(path);
        break;
      }
    } else if (errno != ENOENT) {
      result = Status::Error(FileErrorText(path, errno));
      break;
    } else if (!writing) {
      break;  // missing: reads as empty, and nothing is created
    }

    int opened = -1;
    int error = writer.OpenAt(folderFd, name, flags, opened);
    if (error != 0) {
      if (error == ENOENT && !writing) break;  // removed meanwhile
      result = error == ELOOP ? LinkRefused(path) : Status::Error(FileErrorText(path, error));
      break;
    }
    struct stat locked {};
    if (::fstat(opened, &locked) != 0 || !S_ISREG(locked.st_mode)) {
      ::close(opened);
      result = NotRegular(path);
      break;
    }
    error = writer.Lock(opened, writing);
    if (error != 0) {
      ::close(opened);
      result =
          error == EWOULDBLOCK
              ? Status::Error(path.string() + " is in use by another Tempovia program; try again when it has finished")
              : Status::Error(FileErrorText(path, error));
      break;
    }
    // Another program may have renamed a new file over this one (a rewrite)
    // or removed it between our open and our lock: what we hold must be what
    // the path names now, or our writes would go to a file nobody sees.
    struct stat now {};
    if (::fstatat(folderFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == locked.st_dev &&
        now.st_ino == locked.st_ino) {
      fd = opened;
      break;
    }
    ::close(opened);
    TV_TRACE("%s was replaced while it was being opened; opening it again\n", path.c_str());
    if (attempt == kOpenAttempts) {
      result = Status::Error(path.string() + " keeps being replaced by another program");
      break;
    }
  }
  // Under the exclusive lock no rewrite of this file is under way, so any
  // temporary file of ours beside it is a leftover of one that was killed.
  if (fd >= 0 && writing) RemoveStaleTemporaries(folderFd, name);
  ::close(folderFd);
  return result;
}

bool IsTemporaryName(std::string_view entry, std::string_view of) {
  constexpr std::size_t kRandom = 6;
  if (entry.size() < 1 + 1 + 1 + kRandom || entry.front() != '.') return false;
  const std::size_t dot = entry.size() - kRandom - 1;
  if (entry[dot] != '.') return false;
  for (std::size_t i = dot + 1; i < entry.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  const std::string_view stem = entry.substr(1, dot - 1);
  return !stem.empty() && (of.empty() || stem == of);
}

int RemoveStoredEntry(const std::filesystem::path& folder, const std::string& subfolder, const std::string& name) {
  int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return errno;
  if (!subfolder.empty()) {
    // A photos folder that is a link may lead anywhere: nothing in it is ours.
    const int inner = ::openat(folderFd, subfolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    ::close(folderFd);
    if (inner < 0) return error;
    folderFd = inner;
  }
  int error = 0;
  struct stat info {};
  if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
    error = errno;
  else if (S_ISDIR(info.st_mode))
    error = EISDIR;
  else if (::unlinkat(folderFd, name.c_str(), 0) != 0)
    error = errno;
  ::close(folderFd);
  return error;
}

std::string DateName(std::chrono::year_month_day date) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const unsigned month = static_cast<unsigned>(date.month());
  char text[40];
  std::snprintf(text, sizeof text, "%02u-%s-%d", static_cast<unsigned>(date.day()),
                month >= 1 && month <= 12 ? kMonths[month - 1] : "???", static_cast<int>(date.year()));
  return text;
}

std::string DateTimeName(const LocalDateTime& time) {
  char clock[32];
  std::snprintf(clock, sizeof clock, " %02d-%02d-%02d", time.hour, time.minute, time.second);
  return DateName(time.date) + clock;
}

Status CreateOwnFolder(const std::filesystem::path& parent, const std::string& name, std::filesystem::path& created) {
  if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST)
    return Status::Error("Cannot create the folder " + FileErrorText(parent, errno));
  for (int number = 1; number < 1000; ++number) {
    const std::filesystem::path folder = parent / (number == 1 ? name : name + " (" + std::to_string(number) + ")");
    if (::mkdir(folder.c_str(), 0700) == 0) {
      created = folder;
      return Status::Ok();
    }
    if (errno != EEXIST) return Status::Error("Cannot create the folder " + FileErrorText(folder, errno));
  }
  return Status::Error("Cannot create the folder " + (parent / name).string() + ": too many of that name");
}

}  // namespace tempovia
