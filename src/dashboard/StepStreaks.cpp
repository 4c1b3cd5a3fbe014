#include "dashboard/StepStreaks.h"

#include <algorithm>
#include <vector>

#include "store/StepData.h"

namespace tempovia {

using std::chrono::days;
using std::chrono::sys_days;

StepStreaks CountStreaks(const StepData& steps, int goal, std::chrono::year_month_day upTo) {
  // The met days in date order; a day stored twice (a foreign file) counts once.
  const sys_days last{upTo};
  std::vector<sys_days> met;
  met.reserve(static_cast<std::size_t>(steps.GetCount()));
  for (int i = 0; i < steps.GetCount(); ++i) {
    const DayRecord record = steps.RecordAt(i);
    if (record.hidden != 0 || !(record.steps >= goal)) continue;
    const std::chrono::year_month_day date = record.Date();
    if (!date.ok() || sys_days{date} > last) continue;
    met.push_back(sys_days{date});
  }
  std::sort(met.begin(), met.end());
  met.erase(std::unique(met.begin(), met.end()), met.end());

  StepStreaks streaks;
  int run = 0;
  for (std::size_t i = 0; i < met.size(); ++i) {
    run = i > 0 && met[i] - met[i - 1] == days{1} ? run + 1 : 1;
    streaks.longest = std::max(streaks.longest, run);
  }
  if (!met.empty() && met.back() == last) streaks.current = run;
  return streaks;
}

std::string StreakTipText(int goal, const StepStreaks& streaks) {
  const auto daysText = [](int count) { return std::to_string(count) + (count == 1 ? " day" : " days"); };
  return "Daily goal: " + std::to_string(goal) + " steps\nStreak: " + daysText(streaks.current) + " (longest " +
         daysText(streaks.longest) + ")";
}

}  // namespace tempovia
