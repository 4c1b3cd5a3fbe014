#include "workspace/AutoDownload.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RegularFile.h"
#include "store/FileWriter.h"

namespace tempovia {

namespace {

constexpr char kKey[] = "download-when-plugged-in";
// Far more than the file ever holds; a larger file is not ours.
constexpr std::size_t kLimit = 4096;

}  // namespace

std::filesystem::path AutoDownloadFile(const StorePaths& paths) {
  return paths.Base() / "download.ini";
}

bool LoadAutoDownload(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes;
  if (!ReadRegularFile(file, kLimit, bytes) || bytes.size() > kLimit) return false;
  const std::string text(bytes.begin(), bytes.end());
  bool on = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The last line naming the key decides, as a person editing it expects.
    if (line.starts_with(kKey) && line.size() > sizeof kKey - 1 && line[sizeof kKey - 1] == '=')
      on = line.substr(sizeof kKey) == "1";
    start = end + 1;
  }
  return on;
}

Status SaveAutoDownload(const std::filesystem::path& file, bool on) {
  const std::string text = std::string("# Tempovia: download when the watch is plugged in (1 on, 0 off)\n") + kKey +
                           "=" + (on ? "1" : "0") + "\n";
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  return ReplaceFile(file, bytes);
}

bool DownloadsByItself(bool on, WindowState state, bool downloadBusy) {
  return on && state == WindowState::Main && !downloadBusy;
}

}  // namespace tempovia
