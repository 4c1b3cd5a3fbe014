#include "store/StorePaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "store/FileWriter.h"

namespace tempovia {
namespace {

constexpr std::filesystem::perms kOwnerOnly = std::filesystem::perms::owner_all;

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
  return {};
}

Status CreateFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error))
    return Status::Error("Cannot create the folder " + folder.string() + ": " +
                         (error ? error.message() : std::string("a file of that name is in the way")));
  return Status::Ok();
}

}  // namespace

StorePaths::StorePaths(std::filesystem::path base) : m_base(std::move(base)) {}

StorePaths StorePaths::FromEnvironment() {
  if (const char* home = std::getenv("TEMPOVIA_HOME"); home != nullptr && *home != '\0') return StorePaths(home);
  std::filesystem::path data;
  // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG rules say.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    data = xdg;
  } else {
    const std::filesystem::path home = HomeFolder();
    data = home.empty() ? std::filesystem::path() : home / ".local" / "share";
  }
  return StorePaths(data / "Tempovia" / "R7204");
}

std::filesystem::path StorePaths::DataFolder() const {
  return m_base / "data";
}

std::filesystem::path StorePaths::UserDatabase() const {
  return DataFolder() / kUserDatabaseName;
}

std::filesystem::path StorePaths::SettingsFile() const {
  return m_base / "user.set";
}

std::filesystem::path StorePaths::PhotosFolder() const {
  return DataFolder() / "photos";
}

std::filesystem::path StorePaths::BackupsFolder() const {
  return m_base / "Backups";
}

std::optional<std::filesystem::path> StorePaths::UserFile(std::string_view storedName) const {
  return UserFileIn(DataFolder(), storedName);
}

std::optional<std::filesystem::path> StorePaths::PhotoFile(std::string_view storedName) const {
  return PhotoFileIn(DataFolder(), storedName);
}

std::optional<std::filesystem::path> StorePaths::UserFileIn(const std::filesystem::path& dataFolder,
                                                            std::string_view storedName) {
  // The user database and the photos folder are never a user's data file.
  if (!IsPlainFileName(storedName) || storedName == kUserDatabaseName || storedName == "photos") return std::nullopt;
  return dataFolder / std::string(storedName);
}

std::optional<std::filesystem::path> StorePaths::PhotoFileIn(const std::filesystem::path& dataFolder,
                                                             std::string_view storedName) {
  if (!IsPlainFileName(storedName)) return std::nullopt;
  return dataFolder / "photos" / std::string(storedName);
}

Status StorePaths::CreateBase() const {
  return CreateFolder(m_base);
}

Status StorePaths::CreateDataFolder() const {
  if (Status base = CreateBase(); !base) return base;
  const std::filesystem::path folder = DataFolder();
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return Status::Error("Cannot create the folder " + FileErrorText(folder, errno));
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return Status::Error("Cannot create the folder " + folder.string() + ": a file of that name is in the way");
  // A folder made by an older copy or by hand may be open to others: close it.
  if (info.st_uid == ::geteuid() && (info.st_mode & 077) != 0) {
    std::error_code ignored;
    std::filesystem::permissions(folder, kOwnerOnly, std::filesystem::perm_options::replace, ignored);
  }
  return Status::Ok();
}

Status StorePaths::CreatePhotosFolder() const {
  if (Status data = CreateDataFolder(); !data) return data;
  return CreateFolder(PhotosFolder());
}

bool StorePaths::IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Backslashes too: data folders come from Windows machines, where they separate.
  return name.find_first_of("/\\") == std::string_view::npos;
}

std::string StorePaths::StepFileName(int id) {
  return std::to_string(id) + ".dat";
}

std::string StorePaths::ExerciseFileName(int id) {
  return std::to_string(id) + "_exercise.dat";
}

std::string StorePaths::PhotoFileName(int id, const std::filesystem::path& chosen) {
  std::string extension = chosen.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  return std::to_string(id) + "." + extension;
}

}  // namespace tempovia
