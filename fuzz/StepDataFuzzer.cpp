// A user's step data file (100.dat) from anywhere: a copied folder, an old
// version, a damaged disk. Opening and reading it changes no byte; merging a
// day and sorting do exactly what the stored bytes say they must.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "RecordFileChecks.h"
#include "store/StepData.h"

using namespace tempovia;

namespace {

struct DayFile : StepData {
  using Record = DayRecord;
  static constexpr std::size_t kRecordSize = DayRecord::kSize;
  static bool Merge(DayFile& file) { return file.MergeDay(); }
  // A download replaces a stored day whole but for the note typed on it.
  static void KeepOnReplace(DayRecord& merged, const DayRecord& stored) { merged.note = stored.note; }
};

void ReadEverything(DayFile& file) {
  std::chrono::year_month_day latest{};
  if (file.LatestDate(latest)) file.Current();
  for (int i = 0; i < file.GetCount() && i < 8; ++i) {
    const DayRecord record = file.RecordAt(i);
    DayRecord found;
    const std::chrono::year_month_day date = record.Date();
    file.FindByDate(date, found);
    std::array<DayRecord, 7> week{};
    file.ReadWeek(date, week);
    std::array<DayRecord, 31> month{};
    file.ReadMonth(std::chrono::year_month_day{date.year(), date.month(), std::chrono::day{1}}, month);
    std::array<DayRecord, 12> year{};
    file.ReadYearByMonth(date, year);
  }
  for (bool more = file.MoveFirst(); more; more = file.MoveNextActive()) {
  }
  file.MoveLastActive();
  while (file.MovePrevActive()) {
  }
  std::vector<DayRecord> records;
  for (int i = 0; i < file.GetCount(); ++i) records.push_back(file.RecordAt(i));
  for (int key = 0; key <= 3; ++key) StepData::Sort(std::span(records), key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::QuietNotices quiet;
  const auto path = fuzz::Fresh() / "100.dat";
  fuzz::WriteBytes(path, {data, size});

  for (std::size_t i = 0; i + DayRecord::kSize <= size; i += DayRecord::kSize)
    fuzz::CheckRecordRoundTrip<DayRecord>(data + i);
  fuzz::CheckReadsChangeNothing<DayFile>(path, ReadEverything);

  // The day to merge: the first stored record with other figures (it replaces
  // its day), or a blank day on the date of the input's last bytes.
  DayRecord day = DayRecord::Blank();
  if (size >= DayRecord::kSize) {
    day = DayRecord::FromBytes(data);
    day.steps += 1;
  }
  if (size % 2 == 1 && size >= 3) {
    day.year = data[size - 3];
    day.month = data[size - 2];
    day.day = data[size - 1];
  }
  fuzz::CheckMerge<DayFile>(path, day);
  fuzz::CheckSort<DayFile>(path);
  return 0;
}
