#pragma once
// Streaks of a daily step goal: days in a row whose steps met it. A day
// without a record (or a hidden one) breaks a streak. Both figures count up
// to a given day, the chart date, so looking back at a past month shows the
// streaks as they stood then.

#include <chrono>
#include <optional>
#include <string>

namespace tempovia {

class StepData;

struct StepStreaks {
  int current = 0;  // the streak that ends on the day itself; 0 when it missed the goal
  int longest = 0;  // the longest streak that ended on or before the day
};

StepStreaks CountStreaks(const StepData& steps, int goal, std::chrono::year_month_day upTo);

// The lines the STEPS row's tip adds for a goal: the goal, then both streaks.
std::string StreakTipText(int goal, const StepStreaks& streaks);

}  // namespace tempovia
