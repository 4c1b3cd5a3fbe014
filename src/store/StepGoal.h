#pragma once
// A user's daily step goal: a small text file in the data folder named from
// the user's id ("100_goal.txt"), so EXPORT and IMPORT carry it with the
// user's other files while user.dat and the record files keep their layouts.
// No file, an empty one, or one that does not read as a goal means no goal;
// reading it never stops anything.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Status.h"
#include "store/StorePaths.h"

namespace tempovia {

inline constexpr int kFewestGoalSteps = 1000;
inline constexpr int kMostGoalSteps = 99999;
inline constexpr char kStepGoalRangeMessage[] =
    "Daily step goal must be between 1000 and 99999 steps, or empty for none";

std::string StepGoalFileName(std::int32_t userId);

// What the editor's field holds: nothing for an empty (or blank) field, the
// goal for a whole number in range; anything else is not a goal (false).
bool ParseStepGoal(std::string_view text, std::optional<int>& goal);
std::string StepGoalText(const std::optional<int>& goal);

std::optional<int> LoadStepGoal(const StorePaths& paths, std::int32_t userId);
// Saves the goal whole (or removes the file for no goal).
Status SaveStepGoal(const StorePaths& paths, std::int32_t userId, const std::optional<int>& goal);

}  // namespace tempovia
