#include "store/FolderCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include "store/FileWriter.h"
#include "store/StorePaths.h"
#include "store/StoredFile.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "FolderCopy";

namespace fs = std::filesystem;

// Whatever user.dat is (a link, a pipe), its presence makes the folder a
// data folder.
bool HoldsUserDatabase(const fs::path& folder) {
  std::error_code error;
  return fs::exists(fs::symlink_status(folder / StorePaths::kUserDatabaseName, error));
}

struct Copier {
  fs::path sourceRoot;       // canonical
  fs::path destinationRoot;  // canonical
  std::vector<CopyFailure> failures;
  std::vector<fs::path>* dataFoldersLeftOut = nullptr;

  void Fail(const fs::path& entry, std::string reason) {
    TV_TRACE("Not copied %s: %s\n", entry.c_str(), reason.c_str());
    failures.push_back({entry, std::move(reason)});
  }

  bool InsideSource(const fs::path& canonical) const {
    const auto [rootEnd, ignored] =
        std::mismatch(sourceRoot.begin(), sourceRoot.end(), canonical.begin(), canonical.end());
    return rootEnd == sourceRoot.end();
  }

  void CopyEntry(const fs::directory_entry& entry, const fs::path& destination) {
    std::error_code error;
    const fs::path target = destination / entry.path().filename();
    const fs::file_status status = entry.symlink_status(error);
    if (error) return Fail(entry.path(), error.message());

    if (fs::is_symlink(status)) {
      const fs::path resolved = fs::canonical(entry.path(), error);
      if (error) return Fail(entry.path(), "a symbolic link that leads nowhere");
      if (!InsideSource(resolved)) return Fail(entry.path(), "a symbolic link leading out of the folder");
      if (!fs::is_regular_file(resolved, error)) return Fail(entry.path(), "a symbolic link to a folder");
      if (Status copied = CopyFileReplacing(resolved, target); !copied) Fail(entry.path(), copied.message());
      return;
    }
    if (fs::is_directory(status)) {
      if (fs::equivalent(entry.path(), destinationRoot, error)) return;  // copying a folder into itself
      if (dataFoldersLeftOut != nullptr && HoldsUserDatabase(entry.path())) {
        TV_TRACE("Left out %s: it holds a user database of its own\n", entry.path().c_str());
        dataFoldersLeftOut->push_back(entry.path());
        return;
      }
      fs::create_directory(target, error);
      if (error || !fs::is_directory(target, error))
        return Fail(entry.path(), "cannot create the folder " + target.string());
      CopyContents(entry.path(), target);
      return;
    }
    if (!fs::is_regular_file(status)) return Fail(entry.path(), "not a regular file");
    if (Status copied = CopyFileReplacing(entry.path(), target); !copied) Fail(entry.path(), copied.message());
  }

  void CopyContents(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    fs::directory_iterator it(source, error);
    if (error) return Fail(source, error.message());
    for (; it != fs::directory_iterator(); it.increment(error)) {
      // A temporary file of ours is a rewrite that never finished: not data.
      if (IsTemporaryName(it->path().filename().string())) continue;
      TV_TRACE("%s\r\n", it->path().filename().c_str());
      CopyEntry(*it, destination);
    }
    if (error) Fail(source, error.message());
  }
};

}  // namespace

Status CopyFileReplacing(const fs::path& from, const fs::path& to) {
  // Not following a link here keeps the caller's decision about links; not
  // blocking keeps a named pipe from hanging the copy.
  const int in = ::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return Status::Error("Cannot read " + FileErrorText(from, errno));
  struct stat info {};
  if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(in);
    return Status::Error("Cannot read " + from.string() + ": not a regular file");
  }
  Status copied = ReplaceFileWith(to, [in](int fd, FileWriter& writer) {
    std::array<std::uint8_t, 64 * 1024> buffer{};
    std::uint64_t offset = 0;
    for (;;) {
      const ssize_t n = ::read(in, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      if (n == 0) return 0;
      if (const int error = writer.WriteAt(fd, std::span(buffer.data(), static_cast<std::size_t>(n)), offset))
        return error;
      offset += static_cast<std::uint64_t>(n);
    }
  });
  ::close(in);
  return copied;
}

std::vector<CopyFailure> CopyFolder(const fs::path& source, const fs::path& destination,
                                    std::vector<fs::path>* dataFoldersLeftOut) {
  Copier copier;
  copier.dataFoldersLeftOut = dataFoldersLeftOut;
  std::error_code error;
  copier.sourceRoot = fs::canonical(source, error);
  if (error) return {{source, error.message()}};
  copier.destinationRoot = fs::weakly_canonical(destination, error);
  if (error) return {{destination, error.message()}};
  if (copier.sourceRoot == copier.destinationRoot) return {};
  copier.CopyContents(source, destination);
  return copier.failures;
}

}  // namespace tempovia
