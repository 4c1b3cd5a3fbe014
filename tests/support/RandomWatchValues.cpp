#include "RandomWatchValues.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace tempovia::test {
namespace {

int Between(std::mt19937& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

std::uint8_t Byte(std::mt19937& rng, int low, int high) {
  return static_cast<std::uint8_t>(Between(rng, low, high));
}

std::vector<int> RandomSlots(std::mt19937& rng, int count) {
  std::vector<int> slots(kSlotCount);
  std::iota(slots.begin(), slots.end(), 0);
  std::shuffle(slots.begin(), slots.end(), rng);
  slots.resize(static_cast<std::size_t>(count));
  return slots;
}

}  // namespace

StepDay RandomDay(std::mt19937& rng) {
  StepDay d;
  d.year = Byte(rng, 0, 35);
  d.month = Byte(rng, 1, 12);
  d.day = Byte(rng, 1, 31);
  d.steps = Between(rng, 0, 999999);
  d.calories = Between(rng, 0, 999999) / 10.0;
  d.distance = Between(rng, 0, 999999) / 100.0;
  d.avgSpeed = Between(rng, 0, 999999) / 100.0;
  d.aux1 = Between(rng, 0, 9999);
  d.aux2 = Between(rng, 0, 9999);
  d.avgHeartRate = Between(rng, 0, 9999);
  d.maxHeartRate = Between(rng, 0, 9999);
  d.minHeartRate = Between(rng, 0, 9999);
  d.exerciseHours = Between(rng, 0, 99);
  d.exerciseMinutes = Between(rng, 0, 60);
  d.exerciseSeconds = Between(rng, 0, 60);
  d.fatBurnt = Between(rng, 0, 999999) / 10.0;
  return d;
}

ExerciseEntry RandomExercise(std::mt19937& rng) {
  ExerciseEntry e;
  e.year = Byte(rng, 0, 35);
  e.month = Byte(rng, 1, 12);
  e.day = Byte(rng, 1, 31);
  e.startHour = Byte(rng, 0, 23);
  e.startMinute = Byte(rng, 0, 59);
  e.startSecond = Byte(rng, 0, 59);
  e.durationHours = Byte(rng, 0, 23);
  e.durationMinutes = Byte(rng, 0, 59);
  e.durationSeconds = Byte(rng, 0, 59);
  e.durationHundredths = Byte(rng, 0, 99);
  e.steps = Between(rng, 0, 999999);
  e.calories = Between(rng, 0, 999999) / 10.0;
  e.distance = Between(rng, 0, 999999) / 100.0;
  e.minHeartRate = Between(rng, 0, 9999);
  e.avgHeartRate = Between(rng, 0, 9999);
  e.maxHeartRate = Between(rng, 0, 9999);
  e.fatBurnt = Between(rng, 0, 999999) / 10.0;
  e.avgSpeed = Between(rng, 0, 999999) / 100.0;
  return e;
}

WatchImageValues RandomWatchValues(std::mt19937& rng) {
  WatchImageValues v;
  v.height = Between(rng, 0, 9999);
  v.weight = Between(rng, 0, 9999);
  v.stride = Between(rng, 0, 9999);
  v.word = static_cast<std::uint16_t>(Between(rng, 0, 0xFFFF));
  v.clockYear = Between(rng, 0, 35);
  v.clockMonth = Between(rng, 1, 12);
  v.clockDay = Between(rng, 1, 31);
  v.clockHour = Between(rng, 0, 23);
  v.clockMinute = Between(rng, 0, 59);
  v.flags = static_cast<std::uint8_t>(Between(rng, 0, 3) << 4);
  v.SetDayOrder(RandomSlots(rng, Between(rng, 0, kSlotCount)));
  v.SetExerciseOrder(RandomSlots(rng, Between(rng, 0, kSlotCount)));
  for (StepDay& day : v.days) day = RandomDay(rng);
  for (ExerciseEntry& entry : v.exercises) entry = RandomExercise(rng);
  return v;
}

}  // namespace tempovia::test
