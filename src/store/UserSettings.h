#pragma once
// The settings file, user.set in the base folder: the unit choices, the two
// remembered choices of the upload dialog and the last report path. 264 bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "base/Status.h"

namespace tempovia {

class UserSettings {
 public:
  static constexpr std::size_t kSize = 264;
  static constexpr std::size_t kReportPathWidth = 260;  // NUL included

  // Bytes 0 and 1: 0 metric (km, cm) / 1 imperial (miles, feet and inches);
  // 0 kilogram / 1 pound.
  std::uint8_t distanceUnit = 0;
  std::uint8_t weightUnit = 0;
  // Bytes 2 and 3: "Download Date and Time to Watch" and "Upload Data to Computer".
  std::uint8_t writeClock = 0;
  std::uint8_t downloadData = 0;
  std::string reportPath;  // Windows-1252 bytes, at most 259

  void SetPath(const std::filesystem::path& path) { m_path = path; }
  const std::filesystem::path& Path() const { return m_path; }

  // Reads the file, creating it when missing unless only reading was asked
  // for (a command that changes nothing), and reading it where it cannot be
  // written (a read-only medium). A missing, short or unreadable file, or one
  // that is not a regular file (a pipe would block), leaves every field at its
  // default (metric, both choices off, no report path); false then says the
  // file could not be read.
  bool Load(bool createWhenMissing = true);
  // Writes all 264 bytes, replacing the file whole. A failure (a folder
  // without permission, a full disk) keeps the old file and says why.
  Status Save() const;

  static UserSettings FromBytes(const std::uint8_t* bytes);
  void ToBytes(std::uint8_t* bytes) const;

 private:
  std::filesystem::path m_path;
};

}  // namespace tempovia
