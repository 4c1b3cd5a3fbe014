#include "UserSettings.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "ByteOrder.h"
#include "FileWriter.h"
#include "Trace.h"

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

bool UserSettings::Load() {
  const std::filesystem::path path = m_path;
  *this = UserSettings{};
  m_path = path;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  const int readOnly = fd < 0 ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC) : fd;
  if (readOnly < 0) {
    TV_TRACE("Cannot read %s\n", FileErrorText(path, errno).c_str());
    return false;
  }
  std::array<std::uint8_t, kSize> bytes{};
  std::size_t done = 0;
  while (done < kSize) {
    const ssize_t n = ::read(readOnly, bytes.data() + done, kSize - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(readOnly);
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
