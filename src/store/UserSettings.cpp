#include "store/UserSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/ByteOrder.h"
#include "store/FileWriter.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "UserSettings";

constexpr std::size_t kReportPath = 4;
static_assert(kReportPath + UserSettings::kReportPathWidth == UserSettings::kSize);

}  // namespace

UserSettings UserSettings::FromBytes(const std::uint8_t* b) {
  UserSettings s;
  s.distanceUnit = b[0];
  s.weightUnit = b[1];
  s.writeClock = b[2];
  s.downloadData = b[3];
  s.reportPath = LoadFixedText(b + kReportPath, kReportPathWidth);
  return s;
}

void UserSettings::ToBytes(std::uint8_t* b) const {
  std::memset(b, 0, kSize);
  b[0] = distanceUnit;
  b[1] = weightUnit;
  b[2] = writeClock;
  b[3] = downloadData;
  StoreFixedText(b + kReportPath, kReportPathWidth, reportPath);
}

bool UserSettings::Load(bool createWhenMissing) {
  const std::filesystem::path path = m_path;
  *this = UserSettings{};
  m_path = path;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) {
    TV_TRACE("Cannot read %s\n", FileErrorText(path, errno).c_str());
    return false;
  }
  // Created when missing; a read-only base folder (a mounted backup) is read
  // as it is. Never through a link, and never blocking on a pipe.
  FileWriter& writer = ActiveFileWriter();
  const std::string name = path.filename().string();
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int fd = -1;
  int error = createWhenMissing ? writer.OpenAt(folderFd, name, O_RDWR | O_CREAT | kFlags, fd) : ENOENT;
  if (error != 0 && error != ELOOP) error = writer.OpenAt(folderFd, name, O_RDONLY | kFlags, fd);
  ::close(folderFd);
  struct stat info {};
  if (error == 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd);
    error = EINVAL;
  }
  if (error == ENOENT && !createWhenMissing) return true;  // nothing stored yet: the defaults
  if (error != 0) {
    TV_TRACE("Cannot read %s\n",
             error == EINVAL ? (path.string() + ": not a regular file").c_str() : FileErrorText(path, error).c_str());
    return false;
  }
  std::array<std::uint8_t, kSize> bytes{};
  std::size_t done = 0;
  while (done < kSize) {
    const ssize_t n = ::read(fd, bytes.data() + done, kSize - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (done < kSize) return done == 0;  // a new (empty) file is fine; a short one is ignored
  *this = FromBytes(bytes.data());
  m_path = path;
  return true;
}

Status UserSettings::Save() const {
  if (m_path.empty()) return Status::Error("The settings file has no path");
  std::array<std::uint8_t, kSize> bytes{};
  ToBytes(bytes.data());
  return ReplaceFile(m_path, bytes);
}

}  // namespace tempovia
