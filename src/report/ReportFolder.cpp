#include "report/ReportFolder.h"

#include "base/Windows1252.h"

namespace tempovia {

std::optional<std::string> StorableReportFolder(const std::string& folder) {
  std::optional<std::string> stored = Utf8ToWindows1252(folder);
  if (!stored || stored->size() >= UserSettings::kReportPathWidth) return std::nullopt;
  // A NUL would end the stored text early, leaving a different folder behind.
  if (stored->find('\0') != std::string::npos) return std::nullopt;
  return stored;
}

bool RememberReportFolder(UserSettings& settings, const std::string& folder) {
  std::optional<std::string> stored = StorableReportFolder(folder);
  if (!stored) return false;
  settings.reportPath = std::move(*stored);
  return true;
}

std::string LastReportFolder(const UserSettings& settings) {
  return Windows1252ToUtf8(settings.reportPath);
}

}  // namespace tempovia
