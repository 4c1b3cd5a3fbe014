#include "DataTransfer.h"

#include <cstdio>
#include <system_error>

namespace tempovia {

std::string ExportFolderName(std::chrono::year_month_day today) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const unsigned month = static_cast<unsigned>(today.month());
  char date[32];
  std::snprintf(date, sizeof date, "%02u-%s-%d", static_cast<unsigned>(today.day()),
                month >= 1 && month <= 12 ? kMonths[month - 1] : "???", static_cast<int>(today.year()));
  return std::string("Tempovia Data ") + date;
}

std::filesystem::path ExportFolderPath(const std::filesystem::path& chosen, std::chrono::year_month_day today) {
  return (chosen / ExportFolderName(today)).lexically_normal();
}

bool IsImportSource(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / StorePaths::kUserDatabaseName, error);
}

TransferResult ExportData(const StorePaths& paths, const std::filesystem::path& exportFolder) {
  TransferResult result;
  if (Status data = paths.CreateDataFolder(); !data) {
    result.status = data;
    return result;
  }
  std::error_code error;
  std::filesystem::create_directory(exportFolder, error);
  if (error || !std::filesystem::is_directory(exportFolder, error)) {
    result.status = Status::Error("Cannot create output folder");
    return result;
  }
  result.notCopied = CopyFolder(paths.DataFolder(), exportFolder);
  return result;
}

TransferResult ImportData(const StorePaths& paths, const std::filesystem::path& source) {
  TransferResult result;
  if (Status data = paths.CreateDataFolder(); !data) {
    result.status = data;
    return result;
  }
  if (!IsImportSource(source)) {
    result.status = Status::Error("Incorrect files!");
    return result;
  }
  result.notCopied = CopyFolder(source, paths.DataFolder());
  return result;
}

}  // namespace tempovia
