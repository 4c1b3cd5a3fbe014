#include "store/ExerciseDB.h"

#include "store/RecordSort.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "ExerciseDB";

constexpr RecordFile<StoredExercise>::Behaviour kBehaviour{"Failed to open Exercise Data", "Exercise File not open!",
                                                           true, true, true};

}  // namespace

CExerciseDB::CExerciseDB() : RecordFile<StoredExercise>(kBehaviour) {}

CExerciseDB::~CExerciseDB() = default;

bool CExerciseDB::FindByKey(std::uint64_t key, StoredExercise& out) {
  out = StoredExercise{};
  if (!SeekKey(key)) return false;
  out = Current();
  return true;
}

bool CExerciseDB::FindByDateTime(const LocalDateTime& start, StoredExercise& out) {
  const int year = start.Year() - 2000;
  const auto inByte = [](int value) { return value >= 0 && value <= 255; };
  if (!(inByte(year) && inByte(start.Month()) && inByte(start.Day()) && inByte(start.hour) && inByte(start.minute) &&
        inByte(start.second))) {
    // No stored start can equal it; the scan still ends at the last record.
    return FindByKey(~std::uint64_t{0}, out);
  }
  return FindByKey(
      StoredExercise::KeyOf(static_cast<std::uint64_t>(year), static_cast<std::uint64_t>(start.Month()),
                            static_cast<std::uint64_t>(start.Day()), static_cast<std::uint64_t>(start.hour),
                            static_cast<std::uint64_t>(start.minute), static_cast<std::uint64_t>(start.second)),
      out);
}

bool CExerciseDB::MergeExercise() {
  // Without a file (or opened for reading) nothing is written, and LastError
  // says why.
  if (!CanWrite()) return false;
  SaveCopy();
  StoredExercise& merged = SavedCopy();
  merged.hidden = 0;
  int position = GetCount();
  const char* action = nullptr;
  if (GetCount() == 0) {
    merged.id = kFirstId;
    action = "Add first record for";
  } else if (StoredExercise stored; FindByKey(merged.Key(), stored)) {
    // Replaced whole, id included; SortAndRenumber repairs the ids.
    position = Index();
    action = "Modify record for";
  } else {
    merged.id = NextId(IdAt(GetCount() - 1));
    action = "Add new exercise record for";
  }
  TV_TRACE("%s : %02d-%02d-%02d %02d:%02d:%02d\n", action, merged.year, merged.month, merged.day, merged.startHour,
           merged.startMinute, merged.startSecond);
  RestoreCopy();
  if (!WriteRecord(position, Current())) return false;
  ReadAt(position);
  return true;
}

bool CExerciseDB::SortAndRenumber() {
  return SortAndRenumberByKey();
}

void CExerciseDB::Sort(std::span<StoredExercise> records, int keyType) {
  SortRecords(records, keyType);
}

}  // namespace tempovia
