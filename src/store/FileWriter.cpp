#include "store/FileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>

#include "base/Notice.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "FileWriter";

FileWriter g_systemWriter;
FileWriter* g_installed = nullptr;

// Makes a finished rename durable; a failure here cannot undo the rename and
// only matters on a power cut, so it is traced, not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  if (::fsync(fd) != 0) TV_TRACE("Cannot flush folder %s (%d)\n", folder.c_str(), errno);
  ::close(fd);
}

// The permission bits a new file of this process gets: 0666 less the umask.
// Read from the kernel's status file, since umask() can only be read by
// changing it, which other threads would see.
unsigned NewFileBits() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) return 0666u & ~static_cast<unsigned>(std::stoul(line.substr(6), nullptr, 8));
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace

int FileWriter::WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int FileWriter::Truncate(int fd, std::uint64_t length) {
  while (::ftruncate(fd, static_cast<off_t>(length)) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

int FileWriter::Sync(int fd) {
  return ::fsync(fd) == 0 ? 0 : errno;
}

int FileWriter::CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created) {
  // Appended piece by piece: GCC 12 warns wrongly about "literal" + string at -O3.
  std::string name = ".";
  name += target.filename().string();
  name += ".XXXXXX";
  std::string pattern = (target.parent_path() / name).string();
  fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  created = pattern;
  return 0;
}

int FileWriter::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileWriter::Exchange(const std::filesystem::path& first, const std::filesystem::path& second) {
  return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
}

int FileWriter::OpenAt(int folderFd, const std::string& name, int flags, int& fd) {
  fd = ::openat(folderFd, name.c_str(), flags, 0600);
  return fd >= 0 ? 0 : errno;
}

int FileWriter::Lock(int fd, bool exclusive) {
  while (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

int FileWriter::SetMode(int fd, unsigned mode) {
  return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

FileWriter& ActiveFileWriter() {
  return g_installed != nullptr ? *g_installed : g_systemWriter;
}

FileWriter* InstallFileWriter(FileWriter* writer) {
  FileWriter* previous = g_installed;
  g_installed = writer;
  return previous;
}

std::string FileErrorText(const std::filesystem::path& path, int error) {
  return path.string() + ": " + SystemErrorText(error);
}

Status ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, int* keepOpen,
                   NewFileMode mode) {
  return ReplaceFileWith(
      target, [bytes](int fd, FileWriter& writer) { return writer.WriteAt(fd, bytes, 0); }, keepOpen, mode);
}

Status ReplaceFileWith(const std::filesystem::path& target, const FillFile& fill, int* keepOpen, NewFileMode mode) {
  FileWriter& writer = ActiveFileWriter();
  int fd = -1;
  std::filesystem::path temporary;
  int error = writer.CreateTemporary(target, fd, temporary);
  if (error != 0) return Status::Error("Cannot write " + FileErrorText(target.parent_path(), error));

  if (keepOpen != nullptr) error = writer.Lock(fd, true);
  if (error == 0) error = fill(fd, writer);
  // The temporary file is private while it is written; a user's document then
  // gets what any new file of theirs would.
  if (error == 0 && mode == NewFileMode::Umask) error = writer.SetMode(fd, NewFileBits());
  if (error == 0) error = writer.Sync(fd);
  if (error == 0) error = writer.Rename(temporary, target);
  if (error != 0) {
    ::close(fd);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Status::Error("Cannot write " + FileErrorText(target, error));
  }
  SyncFolder(target.parent_path());
  if (keepOpen != nullptr)
    *keepOpen = fd;
  else
    ::close(fd);
  return Status::Ok();
}

Status SaveUserFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
  if (target.empty() || target.filename().empty()) return Status::Error("No file name was given");
  struct stat info {};
  if (::lstat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    // Never replaced: a link could be meant to lead elsewhere, and a folder or
    // a device is not a document at all.
    const char* what = S_ISLNK(info.st_mode)   ? "a symbolic link"
                       : S_ISDIR(info.st_mode) ? "a folder"
                                               : "a device or a pipe";
    return Status::Error("Cannot write " + target.string() + ": not a regular file but " + what);
  }
  return ReplaceFile(target, bytes, nullptr, NewFileMode::Umask);
}

}  // namespace tempovia
