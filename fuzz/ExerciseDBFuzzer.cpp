// A user's exercise database (100_exercise.dat) from anywhere. Opening and
// reading it changes no byte; merging a session and sorting do exactly what
// the stored bytes say they must.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "RecordFileChecks.h"
#include "store/ExerciseDB.h"

using namespace tempovia;

namespace {

struct ExerciseFile : CExerciseDB {
  using Record = StoredExercise;
  static constexpr std::size_t kRecordSize = StoredExercise::kSize;
  static bool Merge(ExerciseFile& file) { return file.MergeExercise(); }
  // A stored session with the same start is replaced whole.
  static void KeepOnReplace(StoredExercise&, const StoredExercise&) {}
};

void ReadEverything(ExerciseFile& file) {
  for (int i = 0; i < file.GetCount() && i < 8; ++i) {
    const StoredExercise record = file.RecordAt(i);
    StoredExercise found;
    const LocalDateTime start{record.Date(), record.startHour, record.startMinute, record.startSecond};
    file.FindByDateTime(start, found);
    file.FindById(record.id);
  }
  for (bool more = file.MoveFirst(); more; more = file.MoveNextActive()) {
  }
  file.MoveLastActive();
  while (file.MovePrevActive()) {
  }
  std::vector<StoredExercise> records;
  for (int i = 0; i < file.GetCount(); ++i) records.push_back(file.RecordAt(i));
  for (int key = 0; key <= 3; ++key) CExerciseDB::Sort(std::span(records), key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::QuietNotices quiet;
  const auto path = fuzz::Fresh() / "100_exercise.dat";
  fuzz::WriteBytes(path, {data, size});

  for (std::size_t i = 0; i + StoredExercise::kSize <= size; i += StoredExercise::kSize)
    fuzz::CheckRecordRoundTrip<StoredExercise>(data + i);
  fuzz::CheckReadsChangeNothing<ExerciseFile>(path, ReadEverything);

  // The session to merge: the first stored one with other figures (it
  // replaces itself), or one whose start comes from the input's last bytes.
  StoredExercise session;
  if (size >= StoredExercise::kSize) {
    session = StoredExercise::FromBytes(data);
    session.steps += 1;
  }
  if (size % 2 == 1 && size >= 6) {
    session.year = data[size - 6];
    session.month = data[size - 5];
    session.day = data[size - 4];
    session.startHour = data[size - 3];
    session.startMinute = data[size - 2];
    session.startSecond = data[size - 1];
  }
  fuzz::CheckMerge<ExerciseFile>(path, session);
  fuzz::CheckSort<ExerciseFile>(path);
  return 0;
}
