#include "base/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/Notice.h"

namespace tempovia {

Status ReadRegularFile(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  // Not blocking: opening a pipe with no writer would wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Status::Error("Cannot read " + path.string() + ": " + SystemErrorText(errno), errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::Error("Cannot read " + path.string() + ": not a regular file");
  }
  bytes.resize(limit + 1);
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  if (error != 0) return Status::Error("Cannot read " + path.string() + ": " + SystemErrorText(error), error);
  return Status::Ok();
}

}  // namespace tempovia
