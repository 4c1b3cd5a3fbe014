#pragma once
// Where everything Tempovia keeps lies: the base folder with user.set, and its
// data folder with user.dat, the users' step and exercise files and photos.
// Every caller builds its paths here, so a file name read from user.dat can
// never lead outside the data folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/Status.h"

namespace tempovia {

class StorePaths {
 public:
  static constexpr char kBlankPhoto[] = "blank.jpg";
  static constexpr char kUserDatabaseName[] = "user.dat";

  explicit StorePaths(std::filesystem::path base);

  // $TEMPOVIA_HOME when set, else $XDG_DATA_HOME (default ~/.local/share)
  // followed by Tempovia/R7204.
  static StorePaths FromEnvironment();

  const std::filesystem::path& Base() const { return m_base; }
  std::filesystem::path DataFolder() const;
  std::filesystem::path UserDatabase() const;
  std::filesystem::path SettingsFile() const;
  std::filesystem::path PhotosFolder() const;
  // Where dated safety copies go (before an import, files moved aside for a
  // new user): beside the data folder, never exported with it.
  std::filesystem::path BackupsFolder() const;

  // The data file a user record names (step data or exercise database), or
  // nothing when the stored name is not a plain file name of a user file.
  std::optional<std::filesystem::path> UserFile(std::string_view storedName) const;
  // The photo a user record names, or nothing when the name is not plain.
  std::optional<std::filesystem::path> PhotoFile(std::string_view storedName) const;

  // The same for a given data folder (the one user.dat lies in).
  static std::optional<std::filesystem::path> UserFileIn(const std::filesystem::path& dataFolder,
                                                         std::string_view storedName);
  static std::optional<std::filesystem::path> PhotoFileIn(const std::filesystem::path& dataFolder,
                                                          std::string_view storedName);

  // Creates the base folder (and the levels above it) if missing.
  Status CreateBase() const;
  // Creates the base and data folders if missing; the data folder holds
  // passwords, so it is made (and kept) readable by its owner only.
  Status CreateDataFolder() const;
  Status CreatePhotosFolder() const;

  // True for a name that stays inside the folder it is joined to: not empty,
  // no separator of any platform, not "." or "..".
  static bool IsPlainFileName(std::string_view name);

  // The names given to a new user's files: "100.dat", "100_exercise.dat", and
  // "100.jpg" for a chosen photo (the chosen file's extension, without its dot).
  static std::string StepFileName(int id);
  static std::string ExerciseFileName(int id);
  static std::string PhotoFileName(int id, const std::filesystem::path& chosen);

 private:
  std::filesystem::path m_base;
};

}  // namespace tempovia
