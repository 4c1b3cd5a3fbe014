#include "store/StoredExercise.h"

#include <cstring>

#include "base/ByteOrder.h"

namespace tempovia {
namespace {

constexpr std::size_t kStart = 4;
constexpr std::size_t kTotals = 16;
constexpr std::size_t kHidden = 80;

static_assert(kHidden + 8 == StoredExercise::kSize);

}  // namespace

StoredExercise StoredExercise::FromBytes(const std::uint8_t* b) {
  StoredExercise r;
  r.id = LoadI32LE(b);
  std::uint8_t* timing[] = {&r.year,
                            &r.month,
                            &r.day,
                            &r.startHour,
                            &r.startMinute,
                            &r.startSecond,
                            &r.durationHours,
                            &r.durationMinutes,
                            &r.durationSeconds,
                            &r.durationHundredths};
  for (std::size_t i = 0; i < 10; ++i) *timing[i] = b[kStart + i];
  double* totals[] = {&r.steps,        &r.calories,     &r.distance, &r.minHeartRate,
                      &r.avgHeartRate, &r.maxHeartRate, &r.fatBurnt, &r.avgSpeed};
  for (std::size_t i = 0; i < 8; ++i) *totals[i] = LoadF64LE(b + kTotals + 8 * i);
  r.hidden = LoadI32LE(b + kHidden);
  return r;
}

void StoredExercise::ToBytes(std::uint8_t* b) const {
  std::memset(b, 0, kSize);
  StoreI32LE(b, id);
  const std::uint8_t timing[] = {year,
                                 month,
                                 day,
                                 startHour,
                                 startMinute,
                                 startSecond,
                                 durationHours,
                                 durationMinutes,
                                 durationSeconds,
                                 durationHundredths};
  for (std::size_t i = 0; i < 10; ++i) b[kStart + i] = timing[i];
  const double totals[] = {steps, calories, distance, minHeartRate, avgHeartRate, maxHeartRate, fatBurnt, avgSpeed};
  for (std::size_t i = 0; i < 8; ++i) StoreF64LE(b + kTotals + 8 * i, totals[i]);
  StoreI32LE(b + kHidden, hidden);
}

std::chrono::year_month_day StoredExercise::Date() const {
  return std::chrono::year_month_day{std::chrono::year{2000 + year}, std::chrono::month{month}, std::chrono::day{day}};
}

std::uint64_t StoredExercise::IndexKey(const std::uint8_t* b) {
  return KeyOf(b[kStart], b[kStart + 1], b[kStart + 2], b[kStart + 3], b[kStart + 4], b[kStart + 5]);
}

std::uint64_t StoredExercise::Key() const {
  return KeyOf(year, month, day, startHour, startMinute, startSecond);
}

}  // namespace tempovia
