#pragma once
// The two help documents the main window's HELP menu opens, and where a
// running program finds them: beside its executable in a build folder, else
// in the data folder of an installation.

#include <filesystem>
#include <optional>
#include <string_view>

namespace tempovia {

inline constexpr std::string_view kQuickStartManualFile = "Radurirodur Exercise QuickStart Manual.pdf";
inline constexpr std::string_view kQuestionsAndAnswersFile = "Frequently Asked Questions and Answers.pdf";

// The first existing regular file named fileName in: executableDir, then the
// data folder relative to it (<executableDir>/../share/tempovia, so a moved
// installation still finds its own), then installedDir. Nothing when none has
// it, or when fileName is not a plain file name.
std::optional<std::filesystem::path> FindHelpDocument(std::string_view fileName,
                                                      const std::filesystem::path& executableDir,
                                                      const std::filesystem::path& installedDir);
// The same with the data folder of the configured installation prefix.
std::optional<std::filesystem::path> FindHelpDocument(std::string_view fileName,
                                                      const std::filesystem::path& executableDir);

}  // namespace tempovia
