#include "store/StepData.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "base/Printf.h"
#include "store/RecordSort.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "StepData";

using namespace std::chrono;

constexpr RecordFile<DayRecord>::Behaviour kBehaviour{"Failed to open Step Data", "Step File not open!", true, true,
                                                      true};

// The stored key of a calendar day, or nothing for a day no record can hold.
std::optional<std::uint64_t> KeyOfDate(year_month_day date) {
  const int year = static_cast<int>(date.year()) - 2000;
  const unsigned month = static_cast<unsigned>(date.month());
  const unsigned day = static_cast<unsigned>(date.day());
  if (year < 0 || year > 255 || month > 255 || day > 255) return std::nullopt;
  return DayRecord::KeyOf(static_cast<std::uint8_t>(year), static_cast<std::uint8_t>(month),
                          static_cast<std::uint8_t>(day));
}

std::optional<std::uint64_t> KeyOfDayAfter(year_month_day start, int days) {
  if (!start.ok()) return std::nullopt;
  return KeyOfDate(year_month_day{sys_days{start} + std::chrono::days{days}});
}

}  // namespace

StepData::StepData() : RecordFile<DayRecord>(kBehaviour) {}

bool StepData::LatestDate(year_month_day& out) {
  if (!IsOpen() || GetCount() == 0) return false;
  ReadAt(GetCount() - 1);
  out = Current().Date();
  return true;
}

bool StepData::FindByDate(year_month_day date, DayRecord& out) {
  out = DayRecord{};
  if (!IsOpen() || GetCount() == 0) return false;
  const std::optional<std::uint64_t> key = KeyOfDate(date);
  const int match = key ? FirstWithKey(*key) : -1;

  // A scan would pass the day before on its way; trace it as the scan did.
  if (trace::Enabled()) {
    if (const std::optional<std::uint64_t> before = KeyOfDayAfter(date, -1)) {
      const int scanned = match >= 0 ? match : GetCount();
      for (int position : PositionsWithKeys(*before, *before + 1)) {
        if (position >= scanned) break;
        const DayRecord r = RecordAt(position);
        TV_TRACE("First record %d-%d-%d  (%d, %d, %d)\n", r.year, r.month, r.day, TruncateToInt(r.minHeartRate),
                 TruncateToInt(r.avgHeartRate), TruncateToInt(r.maxHeartRate));
      }
    }
  }

  if (!SeekKey(key ? *key : ~std::uint64_t{0})) return false;
  out = Current();
  return true;
}

bool StepData::MergeDay() {
  // Without a file (or opened for reading) nothing is written, and LastError
  // says why.
  if (!CanWrite()) return false;
  SaveCopy();
  DayRecord& merged = SavedCopy();
  merged.hidden = 0;
  int position = GetCount();
  if (GetCount() == 0) {
    merged.id = kFirstId;
  } else if (DayRecord stored; FindByDate(merged.Date(), stored)) {
    // The stored day is replaced whole, id included (SortAndRenumber repairs
    // ids), but a note typed on the dashboard always survives a download.
    position = Index();
    merged.note = stored.note;
  } else {
    merged.id = NextId(IdAt(GetCount() - 1));
  }
  RestoreCopy();
  if (!WriteRecord(position, Current())) return false;
  ReadAt(position);
  return true;
}

template <std::size_t N>
int StepData::ReadDays(year_month_day start, std::span<DayRecord, N> out) {
  if (!IsOpen() || GetCount() == 0) return 0;
  // Matches in file order, as a scan from the first record meets them.
  std::vector<std::pair<int, std::size_t>> matches;
  for (std::size_t j = 0; j < N; ++j) {
    const std::optional<std::uint64_t> key = KeyOfDayAfter(start, static_cast<int>(j));
    if (!key) continue;
    for (int position : PositionsWithKeys(*key, *key + 1)) matches.emplace_back(position, j);
  }
  std::sort(matches.begin(), matches.end());
  int found = 0;
  int last = GetCount() - 1;
  for (const auto& [position, slot] : matches) {
    out[slot] = RecordAt(position);
    if (++found == static_cast<int>(N)) {
      last = position;
      break;
    }
  }
  ReadAt(last);
  return found;
}

int StepData::ReadWeek(year_month_day start, std::span<DayRecord, 7> out) {
  return ReadDays<7>(start, out);
}

int StepData::ReadMonth(year_month_day start, std::span<DayRecord, 31> out) {
  return ReadDays<31>(start, out);
}

void StepData::ReadYearByMonth(year_month_day date, std::span<DayRecord, 12> out) {
  std::array<DayRecord, 12> months;
  months.fill(DayRecord::Blank());
  std::array<int, 12> heartRateDays{};
  std::array<int, 12> speedDays{};
  // Exercise time is summed in seconds, wide enough for any stored hours,
  // minutes and seconds (a foreign file may hold any).
  std::array<std::int64_t, 12> exerciseSeconds{};

  const int year = static_cast<int>(date.year()) - 2000;
  if (IsOpen() && GetCount() > 0 && year >= 0 && year <= 255) {
    const std::uint64_t low = DayRecord::KeyOf(static_cast<std::uint8_t>(year), 0, 0);
    for (int position : PositionsWithKeys(low, low + (std::uint64_t{1} << 16))) {
      const DayRecord r = RecordAt(position);
      // Month slots exist for 1..12 only; a foreign file may hold others.
      if (r.month < 1 || r.month > 12) continue;
      const std::size_t m = r.month - 1u;
      DayRecord& total = months[m];
      total.steps += r.steps;
      total.calories += r.calories;
      total.distance += r.distance;
      total.fatBurnt += r.fatBurnt;
      exerciseSeconds[m] +=
          std::int64_t{r.exerciseHours} * 3600 + std::int64_t{r.exerciseMinutes} * 60 + r.exerciseSeconds;
      if (r.avgSpeed > 0) {
        total.avgSpeed += r.avgSpeed;
        ++speedDays[m];
      }
      if (r.avgHeartRate > 0) {
        total.avgHeartRate += r.avgHeartRate;
        ++heartRateDays[m];
      }
      if (r.minHeartRate < total.minHeartRate && r.minHeartRate != 0) total.minHeartRate = r.minHeartRate;
      if (r.maxHeartRate > total.maxHeartRate) total.maxHeartRate = r.maxHeartRate;
    }
  }
  if (IsOpen() && GetCount() > 0) ReadAt(GetCount() - 1);

  for (std::size_t m = 0; m < 12; ++m) {
    if (heartRateDays[m] > 0) months[m].avgHeartRate /= heartRateDays[m];
    if (speedDays[m] > 0) months[m].avgSpeed /= speedDays[m];
    const std::int64_t seconds = exerciseSeconds[m];
    months[m].exerciseHours = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        seconds / 3600, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    months[m].exerciseMinutes = static_cast<std::int32_t>(seconds % 3600 / 60);
    months[m].exerciseSeconds = static_cast<std::int32_t>(seconds % 60);
    out[m] = months[m];
  }
}

bool StepData::SortAndRenumber() {
  return SortAndRenumberByKey();
}

void StepData::Sort(std::span<DayRecord> records, int keyType) {
  SortRecords(records, keyType);
}

}  // namespace tempovia
