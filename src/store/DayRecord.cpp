#include "store/DayRecord.h"

#include <cstring>

#include "base/ByteOrder.h"

namespace tempovia {
namespace {

constexpr std::size_t kYear = 16;
constexpr std::size_t kHourSteps = 20;
constexpr std::size_t kHourValue = 120;
constexpr std::size_t kTotals = 312;
constexpr std::size_t kExercise = 376;
constexpr std::size_t kNote = 388;
constexpr std::size_t kHidden = 644;

static_assert(kHidden + 4 == DayRecord::kSize);
static_assert(kNote + DayRecord::kNoteWidth == kHidden);

}  // namespace

DayRecord DayRecord::FromBytes(const std::uint8_t* b) {
  DayRecord r;
  r.id = LoadI32LE(b);
  r.aux1 = LoadI32LE(b + 4);
  r.aux2 = LoadI32LE(b + 8);
  r.reserved = LoadI32LE(b + 12);
  r.year = b[kYear];
  r.month = b[kYear + 1];
  r.day = b[kYear + 2];
  for (std::size_t h = 0; h < 24; ++h) {
    r.hourSteps[h] = LoadI32LE(b + kHourSteps + 4 * h);
    r.hourValue[h] = LoadF64LE(b + kHourValue + 8 * h);
  }
  double* totals[] = {&r.steps,        &r.calories,     &r.distance, &r.minHeartRate,
                      &r.avgHeartRate, &r.maxHeartRate, &r.fatBurnt, &r.avgSpeed};
  for (std::size_t i = 0; i < 8; ++i) *totals[i] = LoadF64LE(b + kTotals + 8 * i);
  r.exerciseHours = LoadI32LE(b + kExercise);
  r.exerciseMinutes = LoadI32LE(b + kExercise + 4);
  r.exerciseSeconds = LoadI32LE(b + kExercise + 8);
  r.note = LoadFixedText(b + kNote, kNoteWidth);
  r.hidden = LoadI32LE(b + kHidden);
  return r;
}

void DayRecord::ToBytes(std::uint8_t* b) const {
  std::memset(b, 0, kSize);
  StoreI32LE(b, id);
  StoreI32LE(b + 4, aux1);
  StoreI32LE(b + 8, aux2);
  StoreI32LE(b + 12, reserved);
  b[kYear] = year;
  b[kYear + 1] = month;
  b[kYear + 2] = day;
  for (std::size_t h = 0; h < 24; ++h) {
    StoreI32LE(b + kHourSteps + 4 * h, hourSteps[h]);
    StoreF64LE(b + kHourValue + 8 * h, hourValue[h]);
  }
  const double totals[] = {steps, calories, distance, minHeartRate, avgHeartRate, maxHeartRate, fatBurnt, avgSpeed};
  for (std::size_t i = 0; i < 8; ++i) StoreF64LE(b + kTotals + 8 * i, totals[i]);
  StoreI32LE(b + kExercise, exerciseHours);
  StoreI32LE(b + kExercise + 4, exerciseMinutes);
  StoreI32LE(b + kExercise + 8, exerciseSeconds);
  StoreFixedText(b + kNote, kNoteWidth, note);
  StoreI32LE(b + kHidden, hidden);
}

DayRecord DayRecord::Blank() {
  DayRecord r;
  r.month = 1;
  r.day = 1;
  r.minHeartRate = kBlankMinHeartRate;
  return r;
}

std::chrono::year_month_day DayRecord::Date() const {
  return std::chrono::year_month_day{std::chrono::year{2000 + year}, std::chrono::month{month}, std::chrono::day{day}};
}

std::uint64_t DayRecord::IndexKey(const std::uint8_t* bytes) {
  return KeyOf(bytes[kYear], bytes[kYear + 1], bytes[kYear + 2]);
}

std::uint64_t DayRecord::Key() const {
  return KeyOf(year, month, day);
}

}  // namespace tempovia
