#include "report/ReportRows.h"

#include <utility>

#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia {

using std::chrono::sys_days;
using std::chrono::year_month_day;

std::vector<DayRecord> ReportDays(year_month_day from, year_month_day to, StepData& steps, int sortKey) {
  if (sys_days{from} > sys_days{to}) std::swap(from, to);
  std::vector<DayRecord> kept;
  const int count = steps.GetCount();
  if (count > 0) {
    kept.reserve(static_cast<std::size_t>(count));
    DayRecord record;
    for (sys_days day = sys_days{from}; day <= sys_days{to}; day += std::chrono::days{1})
      if (steps.FindByDate(year_month_day{day}, record) && record.steps > 0) kept.push_back(record);
  }
  StepData::Sort(kept, sortKey);
  return kept;
}

std::vector<StoredExercise> ReportSessions(year_month_day from, year_month_day to, CExerciseDB& exercises,
                                           int sortKey) {
  if (sys_days{from} > sys_days{to}) std::swap(from, to);
  std::vector<StoredExercise> kept;
  const int count = exercises.GetCount();
  if (count > 0 && exercises.MoveFirst()) {
    kept.reserve(static_cast<std::size_t>(count));
    do {
      const StoredExercise& e = exercises.Current();
      const sys_days start{e.Date()};
      if (e.hidden == 0 && start >= sys_days{from} && start <= sys_days{to}) kept.push_back(e);
    } while (exercises.MoveNextActive());
  }
  CExerciseDB::Sort(kept, sortKey);
  return kept;
}

}  // namespace tempovia
