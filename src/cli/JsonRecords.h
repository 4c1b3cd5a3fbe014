#pragma once
// The records as JSON objects for scripts, with the records' own field names
// (stored days and sessions: RecordJson.h). Text fields are converted from
// their stored Windows-1252 bytes to UTF-8.

#include <nlohmann/json.hpp>

#include "device/WatchProbe.h"
#include "records/ExerciseRecord.h"
#include "records/StepRecord.h"
#include "records/UserRecord.h"
#include "report/RecordJson.h"
#include "store/LocalUserRecord.h"

namespace tempovia::cli {

using tempovia::DateText;
using tempovia::ToJson;

nlohmann::ordered_json ToJson(const UserRecord& user, bool valid);
nlohmann::ordered_json ToJson(const StepDay& day, int slot);
nlohmann::ordered_json ToJson(const ExerciseEntry& entry, int slot);
nlohmann::ordered_json ExercisesToJson(const CExerciseRecord& exercises);
// Never includes the password.
nlohmann::ordered_json ToJson(const LocalUserRecord& user);
// present, openable, path, reason and fix (null when there is nothing to
// say), permissionDenied, interfaces; pathBytes beside a path that is not
// UTF-8 (JsonPaths.h). Scripts rely on these names.
nlohmann::ordered_json ToJson(const WatchProbe& probe);

}  // namespace tempovia::cli
