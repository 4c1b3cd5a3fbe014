#include "help/HelpFiles.h"

#include <system_error>
#include <vector>

namespace tempovia {

std::optional<std::filesystem::path> FindHelpDocument(std::string_view fileName,
                                                      const std::filesystem::path& executableDir,
                                                      const std::filesystem::path& installedDir) {
  const std::filesystem::path name(fileName);
  if (fileName.empty() || name != name.filename() || name == "." || name == "..") return std::nullopt;
  // An empty folder would mean the current one, which says nothing about
  // where the program is.
  std::vector<std::filesystem::path> candidates;
  if (!executableDir.empty()) {
    candidates.push_back(executableDir / name);
    candidates.push_back((executableDir / TEMPOVIA_RELATIVE_HELP_DIR / name).lexically_normal());
  }
  if (!installedDir.empty()) candidates.push_back(installedDir / name);
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> FindHelpDocument(std::string_view fileName,
                                                      const std::filesystem::path& executableDir) {
  return FindHelpDocument(fileName, executableDir, TEMPOVIA_INSTALLED_HELP_DIR);
}

}  // namespace tempovia
