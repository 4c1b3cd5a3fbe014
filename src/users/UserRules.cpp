#include "users/UserRules.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <string>

#include "base/Printf.h"
#include "base/Windows1252.h"
#include "records/Units.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"

namespace tempovia {

const char kDuplicateNameMessage[] = "The name already exists in the databse!\nPlease choose another one.";
const char kInputAllDataMessage[] = "Please input all data";
const char kPasswordMismatchMessage[] = "Password not match";
const char kRecordSavedMessage[] = "Record Saved";

MeasureRange RangeOf(Measure measure) {
  switch (measure) {
    case Measure::Height:
      return {100, 240};
    case Measure::Weight:
      return {20, 220};
    case Measure::WalkingStride:
    case Measure::RunningStride:
      return {20, 180};
  }
  return {0, 0};
}

std::string RangeMessage(Measure measure, bool imperial) {
  switch (measure) {
    case Measure::Height:
      return imperial ? "Invalid height!\nIt should be ranged from 3'3\" ~ 7'10\""
                      : "Invalid height!\nIt should be ranged from 100cm ~ 240cm";
    case Measure::Weight:
      return imperial ? "Invalid weight!\nIt should be ranged from 44lbs ~ 485lbs"
                      : "Invalid weight!\nIt should be ranged from 20kg ~ 220kg";
    case Measure::WalkingStride:
      return imperial ? "Invalid stride (Walking)!\nIt should be ranged from 8\" ~ 5'11\""
                      : "Invalid stride (Walking)!\nIt should be ranged from 20cm ~ 180cm";
    case Measure::RunningStride:
      return imperial ? "Invalid stride (Running)!\nIt should be ranged from 8\" ~ 5'11\""
                      : "Invalid stride (Running)!\nIt should be ranged from 20cm ~ 180cm";
  }
  return {};
}

double LeadingNumber(std::string_view text) {
  const std::string copy(text);  // strtod needs a terminated string
  return std::strtod(copy.c_str(), nullptr);
}

int LeadingInteger(std::string_view text) {
  const std::string copy(text);
  const long value = std::strtol(copy.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::optional<std::string> TypedToStored(std::string_view typedUtf8, std::string_view stored, std::size_t maxLength) {
  std::optional<std::string> bytes = Utf8ToWindows1252(typedUtf8);
  if (!bytes) return std::nullopt;
  if (*bytes == stored) return bytes;
  if (bytes->size() > maxLength) return std::nullopt;
  return bytes;
}

bool PasswordsMatch(std::string_view typedUtf8, std::string_view stored) {
  const std::optional<std::string> bytes = Utf8ToWindows1252(typedUtf8);
  return bytes && *bytes == stored;
}

std::optional<std::string> PhotoExtension(std::string_view format) {
  // The extension ends a stored photo name of at most 19 bytes after an id of
  // up to 11 characters and the dot.
  constexpr std::size_t kLongest = 7;
  if (format.empty() || format.size() > kLongest) return std::nullopt;
  std::string extension;
  for (const char c : format) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return std::nullopt;
    extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (extension == "jpeg") extension = "jpg";
  return extension;
}

namespace {

// Written as "inside" so that a NaN ("nan" reads as a number) counts as outside.
double InRangeOrZero(double value, Measure measure) {
  const MeasureRange range = RangeOf(measure);
  return value >= range.low && value <= range.high ? value : 0;
}

}  // namespace

double ParseLength(std::string_view text, double storedCm, bool imperial, Measure measure) {
  double value = LeadingNumber(text);
  if (value != 0 && imperial) {
    const std::size_t p = text.find('\'');
    const std::size_t q = text.find('"');
    if (p == 0 || q == 0) {
      value = 0;
    } else {
      // Feet before the apostrophe; inches after it, up to the last character,
      // which is taken to be the closing double quote.
      const double feet = p == std::string_view::npos ? 0 : LeadingNumber(text.substr(0, p));
      const std::size_t inchesFrom = p == std::string_view::npos ? 0 : p + 1;
      const std::size_t inchesTo = text.empty() ? 0 : text.size() - 1;
      const double inches = inchesFrom < inchesTo ? LeadingNumber(text.substr(inchesFrom, inchesTo - inchesFrom)) : 0;
      const double total = feet * 12 + inches;
      if (TruncateToInt(CmToInches(storedCm) + 0.5) == TruncateToInt(total + 0.5))
        value = storedCm;
      else
        value = InchesToCm(total);
    }
  }
  return InRangeOrZero(value, measure);
}

double ParseWeight(std::string_view text, bool pounds) {
  double value = LeadingNumber(text);
  if (pounds && value != 0) value = PoundsToKg(value);
  return InRangeOrZero(value, Measure::Weight);
}

std::optional<Measure> FirstOutOfRange(const LocalUserRecord& user, bool allowUnset) {
  const std::pair<Measure, double> values[] = {{Measure::Height, user.height},
                                               {Measure::Weight, user.weight},
                                               {Measure::WalkingStride, user.walkingStride},
                                               {Measure::RunningStride, user.runningStride}};
  for (const auto& [measure, value] : values) {
    if (allowUnset && value == 0) continue;
    if (InRangeOrZero(value, measure) == 0) return measure;
  }
  return std::nullopt;
}

Status AddUser(UserData& users, const StorePaths& paths, LocalUserRecord& user, const LocalDateTime& now,
               UserData::NewUserFiles* found) {
  if (users.FindNamed(user.name)) return Status::Error(kDuplicateNameMessage);
  // A new user has no photo until one is chosen in the editor; the placeholder shows meanwhile.
  LocalUserRecord added = user;
  added.photo.clear();
  const Status status = users.Add(added, paths, now, found);
  if (status) user = added;
  return status;
}

}  // namespace tempovia
