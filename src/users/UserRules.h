#pragma once
// Rules for a local user's record shared by the user editor and the
// command-line tool: reading typed heights, strides and weights in either unit
// system, the accepted ranges with their messages, and adding a user.

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"
#include "base/Status.h"
#include "store/UserData.h"

namespace tempovia {

class StorePaths;
struct LocalUserRecord;

enum class Measure { Height, Weight, WalkingStride, RunningStride };

// Accepted metric ranges, both ends included.
struct MeasureRange {
  double low;
  double high;
};
MeasureRange RangeOf(Measure measure);

// The message for a value out of range, worded for the unit system shown.
std::string RangeMessage(Measure measure, bool imperial);

// The leading decimal number of a text as a text-to-double conversion reads it
// (leading white space skipped); 0 when there is none.
double LeadingNumber(std::string_view text);

// Reads a typed height or stride into centimetres. Imperial text is feet and
// inches (5'9"); when it shows the same whole inches as the stored value, the
// stored value is kept so that an untouched field never drifts. Out of range
// gives 0.
double ParseLength(std::string_view text, double storedCm, bool imperial, Measure measure);
// Reads a typed weight into kilograms (pounds are converted). Out of range gives 0.
double ParseWeight(std::string_view text, bool pounds);

// The first measure of a user that is outside its range, checked in the order
// height, weight, walking stride, running stride; 0 counts as unset when
// allowUnset is true.
std::optional<Measure> FirstOutOfRange(const LocalUserRecord& user, bool allowUnset);

// The leading whole number of a text as atoi reads it, kept inside int's range.
int LeadingInteger(std::string_view text);

inline constexpr std::size_t kMaxNameLength = 30;
inline constexpr std::size_t kMaxPasswordLength = 12;
// A file written elsewhere may fill the password field to its last byte, so
// a box where a stored password is typed again accepts one more character.
inline constexpr std::size_t kLongestStoredPassword = 13;

extern const char kDuplicateNameMessage[];
extern const char kInputAllDataMessage[];
extern const char kPasswordMismatchMessage[];
extern const char kRecordSavedMessage[];

// The bytes stored for a typed name or password (UTF-8): its Windows-1252
// form, at most maxLength characters. A text that still shows the stored
// value keeps that value whatever its length, so an over-long name from a
// foreign file survives an edit that leaves it alone. Nothing when the text
// cannot be stored.
std::optional<std::string> TypedToStored(std::string_view typedUtf8, std::string_view stored, std::size_t maxLength);

// Whether a typed password (UTF-8) is the stored one, byte for byte in
// Windows-1252: letter case counts, and a character Windows-1252 cannot hold
// never matches.
bool PasswordsMatch(std::string_view typedUtf8, std::string_view stored);

// The file extension a photo is stored with, from the format its content was
// read as ("jpeg" gives "jpg"), whatever the chosen file was called. Nothing
// for a format name that cannot make a short plain extension.
std::optional<std::string> PhotoExtension(std::string_view format);

// Adds user as a new user: refuses a name that exists (same bytes, letter
// case counts), then adds it with the next id, its file names, no photo and
// its empty step and exercise files, wholly or not at all (UserData::AddNew;
// files an earlier user left under those names are moved into a folder of
// the backup area dated now, and a notice says where). user is the new user
// as stored afterwards; after a refusal or a failure it is as typed.
Status AddUser(UserData& users, const StorePaths& paths, LocalUserRecord& user, const LocalDateTime& now,
               UserData::NewUserFiles* found = nullptr);

}  // namespace tempovia
