#include "device/WatchSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/Printf.h"
#include "device/HidapiTransport.h"
#include "device/SimulatedWatch.h"
#include "device/WatchScenario.h"

namespace tempovia {

namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

Status Refused(const std::filesystem::path& path, const std::string& why) {
  return Status::Error(path.string() + " is not a watch memory image: " + why);
}

}  // namespace

Status ReadWatchImage(const std::filesystem::path& path, WatchImage& image) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Status::Error(path.string() + ": " + std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Refused(path, "it is not a regular file");
  }
  // One byte more than an image tells a longer file without reading it all.
  std::uint8_t bytes[kWatchImageSize + 1];
  std::size_t total = 0;
  while (total < sizeof bytes) {
    const ssize_t got = ::read(fd, bytes + total, sizeof bytes - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      return Status::Error(path.string() + ": " + std::strerror(error));
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (total != kWatchImageSize)
    return Refused(
        path, total > kWatchImageSize
                  ? "it holds more than 512 bytes"
                  : "it holds " + Counted(static_cast<long long>(total), "byte", "bytes") + ", an image holds 512");
  std::copy(bytes, bytes + kWatchImageSize, image.begin());
  return Status::Ok();
}

std::unique_ptr<HidTransport> OpenWatchSource(const WatchSource& source, Clock& clock,
                                              std::chrono::year_month_day lastDay, Status& status) {
  status = Status::Ok();
  if (!source.simulate) return std::make_unique<HidapiTransport>();
  const std::string choice = source.simulation.empty() ? "1" : source.simulation;
  if (AllDigits(choice)) {
    const auto seed = static_cast<std::uint32_t>(std::strtoul(choice.c_str(), nullptr, 10));
    return std::make_unique<SimulatedWatch>(clock, WatchScenario::ForSeed(seed, lastDay).Image());
  }
  WatchImage image{};
  status = ReadWatchImage(choice, image);
  if (!status) return nullptr;
  return std::make_unique<SimulatedWatch>(clock, image);
}

}  // namespace tempovia
