#pragma once
// The last report folder kept in user.set. The field holds 259 bytes of
// Windows-1252 text; a folder that does not fit whole, or holds a character
// Windows-1252 lacks, is used for the report at hand but not kept, so a cut
// or garbled folder never comes back as the next report's suggestion.

#include <optional>
#include <string>

#include "store/UserSettings.h"

namespace tempovia {

// The stored form of a folder (UTF-8 in), or nothing when it cannot be kept.
std::optional<std::string> StorableReportFolder(const std::string& folder);

// Puts the folder into settings.reportPath when it can be kept; false (with
// the settings untouched) when it cannot.
bool RememberReportFolder(UserSettings& settings, const std::string& folder);

// The kept folder as UTF-8, empty when none is kept.
std::string LastReportFolder(const UserSettings& settings);

}  // namespace tempovia
