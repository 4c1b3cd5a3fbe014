#pragma once
// The step data file of one user: one DayRecord per calendar day with data,
// merged in by date from downloads and read back by day, week, month or year.
// Opened for one user action and closed again.

#include <chrono>
#include <cstdint>
#include <span>

#include "store/DayRecord.h"
#include "store/RecordFile.h"

namespace tempovia {

class StepData : public RecordFile<DayRecord> {
 public:
  // Sort keys: date ascending, or descending by steps, average heart rate or
  // average speed (x 1000), each truncated to a whole number.
  enum SortKey { kByDate = 0, kBySteps = 1, kByAvgHeartRate = 2, kByAvgSpeed = 3 };

  StepData();

  // The date of the last record in file order (which becomes current); false
  // when the file is empty.
  bool LatestDate(std::chrono::year_month_day& out);
  // The first record in file order for that day, which becomes current; when
  // there is none, false with out zeroed and the last record current.
  bool FindByDate(std::chrono::year_month_day date, DayRecord& out);
  // Stores the current record, a filled-in day, by its date: it replaces the
  // day's stored record (whose note survives) or is added at the end. The
  // merged record becomes current. False only when the write fails.
  [[nodiscard]] bool MergeDay();
  // Copies the record of day start + j into out[j] (the other slots are left
  // as the caller prepared them) and returns how many were found.
  int ReadWeek(std::chrono::year_month_day start, std::span<DayRecord, 7> out);
  int ReadMonth(std::chrono::year_month_day start, std::span<DayRecord, 31> out);
  // Month totals of the date's year in out[month - 1]: sums, averages over
  // the days that have them, the lowest non-zero minimum, the highest maximum
  // and the exercise time. A month without records keeps the blank values.
  void ReadYearByMonth(std::chrono::year_month_day date, std::span<DayRecord, 12> out);
  // Sorts the file by date and gives the records ids 100, 101, ... in order.
  [[nodiscard]] bool SortAndRenumber();
  // Stable sort of records by one of the keys of SortKey.
  static void Sort(std::span<DayRecord> records, int keyType);

 private:
  template <std::size_t N>
  int ReadDays(std::chrono::year_month_day start, std::span<DayRecord, N> out);
};

}  // namespace tempovia
