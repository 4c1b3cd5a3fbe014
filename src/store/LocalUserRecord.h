#pragma once
// One local user of user.dat: name, password, body values (always metric),
// photo and the names of the user's two data files. 152 bytes on disk, no
// padding anywhere: the password starts at the odd offset 35.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tempovia {

struct LocalUserRecord {
  static constexpr std::size_t kSize = 152;
  // Field widths with their NUL; the text held is one byte shorter.
  static constexpr std::size_t kNameWidth = 31;
  static constexpr std::size_t kPasswordWidth = 13;
  static constexpr std::size_t kFileNameWidth = 20;

  enum Sex : std::int32_t { kMale = 0, kFemale = 1, kSexNotSet = 2 };

  std::int32_t id = 0;
  std::string name;          // Windows-1252 bytes, at most 30
  std::string password;      // Windows-1252 bytes, at most 12, plain text
  double height = 0;         // cm, 0 = not set
  double weight = 0;         // kg, 0 = not set
  double walkingStride = 0;  // cm, 0 = not set
  double runningStride = 0;  // cm, 0 = not set
  std::int32_t age = 0;      // years, 0 = not set
  std::int32_t sex = 0;
  std::string photo;         // relative to data/photos, at most 19
  std::string stepFile;      // relative to data, at most 19
  std::string exerciseFile;  // relative to data, at most 19
  std::int32_t hidden = 0;

  static LocalUserRecord FromBytes(const std::uint8_t* bytes);
  // Writes all 152 bytes; the bytes after each text's NUL are zero.
  void ToBytes(std::uint8_t* bytes) const;

  // weight / (height / 100)^2, or 0 when height or weight is not set.
  double BodyMassIndex() const;

  friend bool operator==(const LocalUserRecord&, const LocalUserRecord&) = default;
};

}  // namespace tempovia
