#include "report/CaptureFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Notice.h"
#include "trace/Trace.h"

namespace tempovia {

namespace fs = std::filesystem;

namespace {

constexpr char kTraceModule[] = "CaptureFile";

constexpr std::string_view kPrefix = "tempovia-chart-";
constexpr std::string_view kSuffix = ".jpg";
constexpr std::size_t kRandom = 6;  // the XXXXXX mkostemps fills in

// A new name can lose a race with another program's clean-up (below)
// between being made and being locked; so often in a row means something
// else is wrong.
constexpr int kCreateAttempts = 8;

bool IsCaptureName(std::string_view name) {
  if (name.size() != kPrefix.size() + kRandom + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix))
    return false;
  for (const char c : name.substr(kPrefix.size(), kRandom))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether name in the folder is still the file open as fd.
bool StillNamed(int folderFd, const char* name, int fd) {
  struct stat named {};
  struct stat held {};
  return ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &held) == 0 &&
         SameFile(named, held);
}

// Removes the pictures a Tempovia killed while its report options were open
// left behind. A picture in use is locked by its CaptureFile for as long as
// it lives, whatever its age (the options may stay open for hours), and the
// lock goes with the program that held it; so a picture of ours, by name and
// owner, that can be locked is nobody's any more. Links, folders and other
// users' files are never touched.
void RemoveStaleCaptures(const fs::path& folder) {
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  std::vector<std::string> names;
  if (const int listFd = ::dup(folderFd); listFd >= 0) {
    if (DIR* list = ::fdopendir(listFd)) {
      while (const dirent* entry = ::readdir(list))
        if (IsCaptureName(entry->d_name)) names.emplace_back(entry->d_name);
      ::closedir(list);
    } else {
      ::close(listFd);
    }
  }
  for (const std::string& name : names) {
    struct stat seen {};
    if (::fstatat(folderFd, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode) ||
        seen.st_uid != ::geteuid())
      continue;
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {};
    // Unlocked, and still the file that was checked: nobody uses it.
    if (::fstat(fd, &opened) == 0 && SameFile(opened, seen) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        StillNamed(folderFd, name.c_str(), fd)) {
      TV_TRACE("Removing %s, a window picture left by a Tempovia that ended before its report\n", name.c_str());
      ::unlinkat(folderFd, name.c_str(), 0);
    }
    ::close(fd);
  }
  ::close(folderFd);
}

}  // namespace

std::unique_ptr<CaptureFile> CaptureFile::Create(std::string* error, const fs::path& folder) {
  std::error_code failure;
  const fs::path where = folder.empty() ? fs::temp_directory_path(failure) : folder;
  if (failure) {
    if (error != nullptr) *error = "No temporary folder: " + failure.message();
    return nullptr;
  }
  const auto fail = [&](int code) -> std::unique_ptr<CaptureFile> {
    if (error != nullptr) *error = where.string() + ": " + SystemErrorText(code);
    return nullptr;
  };
  const int folderFd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return fail(errno);
  std::unique_ptr<CaptureFile> made;
  int problem = EEXIST;
  for (int attempt = 0; attempt < kCreateAttempts && !made; ++attempt) {
    std::string pattern = (where / kPrefix).string() + "XXXXXX" + std::string(kSuffix);
    // mkostemps makes the file with mode 0600 and O_EXCL, so a name planted in
    // a shared folder (a link to another file) is never followed.
    const int fd = ::mkostemps(pattern.data(), static_cast<int>(kSuffix.size()), O_CLOEXEC);
    if (fd < 0) {
      problem = errno;
      break;
    }
    // Locked until the picture is no longer needed, through a descriptor of
    // its own: the one written through is closed before the report is made.
    const std::string name = fs::path(pattern).filename().string();
    int lockFd = -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      lockFd = ::dup(fd);
      if (lockFd < 0) {
        problem = errno;
        ::close(fd);
        ::unlinkat(folderFd, name.c_str(), 0);
        break;
      }
    } else if (errno == EWOULDBLOCK) {
      ::close(fd);  // another program's clean-up holds it and removes it
      continue;
    }
    // Where the file system has no locks, no clean-up can tell a picture is
    // unused, so none removes it either.
    if (StillNamed(folderFd, name.c_str(), fd)) {
      made.reset(new CaptureFile(fs::path(pattern), fd, lockFd));
      break;
    }
    // Another program's clean-up removed it before it was locked.
    if (lockFd >= 0) ::close(lockFd);
    ::close(fd);
  }
  ::close(folderFd);
  if (!made) return fail(problem);
  RemoveStaleCaptures(where);
  return made;
}

CaptureFile::~CaptureFile() {
  CloseDescriptor();
  // Removed while still locked, so no clean-up ever finds it unlocked.
  ::unlink(m_path.c_str());
  if (m_lockFd >= 0) ::close(m_lockFd);
}

bool CaptureFile::CloseDescriptor() {
  if (m_fd < 0) return true;
  const int result = ::close(m_fd);
  m_fd = -1;
  return result == 0;
}

}  // namespace tempovia
