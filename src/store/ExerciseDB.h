#pragma once
// The exercise database of one user: every timed session ever downloaded, one
// StoredExercise each, identified by its start to the second. Opened for one
// user action and closed again.

#include <span>

#include "base/Clock.h"
#include "store/RecordFile.h"
#include "store/StoredExercise.h"

namespace tempovia {

class CExerciseDB : public RecordFile<StoredExercise> {
 public:
  // Sort keys: start ascending, or descending by steps, average heart rate or
  // average speed (x 1000), each truncated to a whole number.
  enum SortKey { kByStart = 0, kBySteps = 1, kByAvgHeartRate = 2, kByAvgSpeed = 3 };

  CExerciseDB();
  ~CExerciseDB() override;

  // The first record in file order that starts at that second, which becomes
  // current; when there is none, false with out zeroed and the last record current.
  bool FindByDateTime(const LocalDateTime& start, StoredExercise& out);
  // Stores the current record, a filled-in session, by its start: it replaces
  // a stored session with the same start or is added at the end. The merged
  // record becomes current. False only when the write fails.
  [[nodiscard]] bool MergeExercise();
  // Sorts the file by start and gives the records ids 100, 101, ... in order.
  [[nodiscard]] bool SortAndRenumber();
  // Stable sort of records by one of the keys of SortKey.
  static void Sort(std::span<StoredExercise> records, int keyType);

 private:
  bool FindByKey(std::uint64_t key, StoredExercise& out);
};

}  // namespace tempovia
