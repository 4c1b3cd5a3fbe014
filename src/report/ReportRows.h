#pragma once
// The rows a report lists: the days of the range that have steps, and the
// sessions that started in it, each in the order of the sort key (0 date,
// 1 steps, 2 heart rate, 3 speed). The PDF's tables and the CSV files beside
// it take the same rows. Dates given in reverse are swapped.

#include <chrono>
#include <vector>

#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {

class StepData;
class CExerciseDB;

// One lookup per day of the range, so a year's report reads 366 records
// however long the history is.
std::vector<DayRecord> ReportDays(std::chrono::year_month_day from, std::chrono::year_month_day to, StepData& steps,
                                  int sortKey);
std::vector<StoredExercise> ReportSessions(std::chrono::year_month_day from, std::chrono::year_month_day to,
                                           CExerciseDB& exercises, int sortKey);

}  // namespace tempovia
