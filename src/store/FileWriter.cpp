#include "FileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "Notice.h"
#include "Trace.h"

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
  std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  created = pattern;
  return 0;
}

int FileWriter::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
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

Status ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, int* keepOpen) {
  return ReplaceFileWith(
      target, [bytes](int fd, FileWriter& writer) { return writer.WriteAt(fd, bytes, 0); }, keepOpen);
}

Status ReplaceFileWith(const std::filesystem::path& target, const FillFile& fill, int* keepOpen) {
  FileWriter& writer = ActiveFileWriter();
  int fd = -1;
  std::filesystem::path temporary;
  int error = writer.CreateTemporary(target, fd, temporary);
  if (error != 0) return Status::Error("Cannot write " + FileErrorText(target.parent_path(), error));

  if (keepOpen != nullptr && ::flock(fd, LOCK_EX | LOCK_NB) != 0) error = errno;
  if (error == 0) error = fill(fd, writer);
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

}  // namespace tempovia
