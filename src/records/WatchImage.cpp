#include "records/WatchImage.h"

#include <cmath>

#include "records/ValueEncoding.h"

namespace tempovia {
namespace {

// Scaled figures are kept in tenths or hundredths; round so that 123.4 is 1234.
std::int64_t Scaled(double value, int scale) {
  return std::llround(value * scale);
}

void FillOrder(const std::vector<int>& slots, std::array<std::uint8_t, kSlotCount>& table, std::uint8_t& countByte) {
  table.fill(0);
  std::size_t n = 0;
  for (; n < slots.size() && n < table.size(); ++n) table[n] = static_cast<std::uint8_t>(slots[n] & 0x0F);
  countByte = static_cast<std::uint8_t>(n);
}

}  // namespace

void WatchImageValues::SetDayOrder(const std::vector<int>& slotsNewestFirst) {
  FillOrder(slotsNewestFirst, dayOrderTable, dayCountByte);
}

void WatchImageValues::SetExerciseOrder(const std::vector<int>& slotsNewestFirst) {
  FillOrder(slotsNewestFirst, exerciseOrderTable, exerciseCountByte);
}

std::array<std::uint8_t, kBlockSize> EncodeDayBlock(const StepDay& d) {
  std::array<std::uint8_t, kBlockSize> b{};
  WriteBcd(d.year, &b[0], 1);
  b[1] = d.month;  // binary, not BCD
  WriteBcd(d.day, &b[2], 1);
  WriteBcd(d.steps, &b[3], 3);
  WriteBcd(Scaled(d.calories, 10), &b[6], 3);
  WriteBcd(Scaled(d.distance, 100), &b[9], 3);
  WriteBcd(Scaled(d.avgSpeed, 100), &b[12], 3);
  WriteBcd(d.aux1, &b[15], 2);
  WriteBcd(d.aux2, &b[17], 2);
  WriteBcd(d.avgHeartRate, &b[19], 2);
  WriteBcd(d.maxHeartRate, &b[21], 2);
  WriteBcd(d.minHeartRate, &b[23], 2);
  WriteBcd(d.exerciseHours, &b[25], 1);
  WriteBcd(d.exerciseMinutes, &b[26], 1);
  WriteBcd(d.exerciseSeconds, &b[27], 1);
  WriteBcd(Scaled(d.fatBurnt, 10), &b[28], 3);
  b[31] = Sum8(b.data(), kBlockSize - 1);
  return b;
}

std::array<std::uint8_t, kBlockSize> EncodeExerciseBlock(const ExerciseEntry& e) {
  std::array<std::uint8_t, kBlockSize> b{};
  WriteBcd(e.day, &b[0], 1);
  b[1] = e.month;  // binary, not BCD
  WriteBcd(e.year, &b[2], 1);
  WriteBcd(e.startSecond, &b[3], 1);
  WriteBcd(e.startMinute, &b[4], 1);
  WriteBcd(e.startHour, &b[5], 1);
  WriteBcd(e.durationHours, &b[6], 1);
  WriteBcd(e.durationMinutes, &b[7], 1);
  WriteBcd(e.durationSeconds, &b[8], 1);
  WriteBcd(e.durationHundredths, &b[9], 1);
  WriteBcd(std::llround(e.steps), &b[10], 3);
  WriteBcd(Scaled(e.calories, 10), &b[13], 3);
  WriteBcd(Scaled(e.distance, 100), &b[16], 3);
  WriteBcd(Scaled(e.avgSpeed, 100), &b[19], 3);
  WriteBcd(std::llround(e.avgHeartRate), &b[22], 2);
  WriteBcd(std::llround(e.maxHeartRate), &b[24], 2);
  WriteBcd(std::llround(e.minHeartRate), &b[26], 2);
  WriteBcd(Scaled(e.fatBurnt, 10), &b[28], 3);
  b[31] = Sum8(b.data(), kBlockSize - 1);
  return b;
}

WatchImage EncodeWatchImage(const WatchImageValues& v) {
  WatchImage value{};  // built in value form, exchanged at the end

  const auto settings = EncodeSettingsBlock(v.height, v.weight, v.stride);
  for (std::size_t i = 0; i < 7; ++i) value[kSettingsAddress + i] = NibbleSwap(settings[i]);
  if (v.corruptSettingsChecksum) ++value[6];
  value[7] = static_cast<std::uint8_t>(v.word >> 8);
  value[8] = static_cast<std::uint8_t>(v.word);

  // The clock checksum sits in the image unexchanged; exchange it here so the
  // final pass leaves it as the host wrote it.
  const auto clock = EncodeClockBlock(v.clockYear, v.clockMonth, v.clockDay, v.clockHour, v.clockMinute);
  for (std::size_t i = 0; i < 5; ++i) value[kClockAddress + i] = NibbleSwap(clock[i]);
  value[kClockAddress + 5] = NibbleSwap(static_cast<std::uint8_t>(clock[5] + (v.corruptClockChecksum ? 1 : 0)));

  for (std::size_t i = 0; i < kSlotCount; ++i) value[kDayOrderOffset + i] = v.dayOrderTable[i];
  value[kDayCountOffset] = v.dayCountByte;
  value[kFlagsAddress] = v.flags;

  for (int k = 0; k < kSlotCount; ++k) {
    const std::size_t slot = static_cast<std::size_t>(k);
    auto block = EncodeDayBlock(v.days[slot]);
    if (v.corruptDayChecksum[slot]) ++block[31];
    for (std::size_t i = 0; i < kBlockSize; ++i) value[DayBlockAddress(k) + i] = block[i];
  }

  for (std::size_t i = 0; i < kSlotCount; ++i)
    value[kExerciseHalfAddress + kExerciseOrderOffset + i] = v.exerciseOrderTable[i];
  value[kExerciseHalfAddress + kExerciseCountOffset] = v.exerciseCountByte;
  for (int k = 0; k < kSlotCount; ++k) {
    const std::size_t slot = static_cast<std::size_t>(k);
    auto block = EncodeExerciseBlock(v.exercises[slot]);
    if (v.corruptExerciseChecksum[slot]) ++block[31];
    for (std::size_t i = 0; i < kBlockSize; ++i) value[ExerciseBlockAddress(k) + i] = block[i];
  }

  WatchImage stored{};
  for (std::size_t i = 0; i < kWatchImageSize; ++i) stored[i] = NibbleSwap(value[i]);
  return stored;
}

DecodedWatchImage DecodeWatchImage(const WatchImage& stored) {
  DecodedWatchImage decoded;
  decoded.user.Clear();
  for (int i = 0; i < kUserRecordLength; ++i) decoded.user.Append(NibbleSwap(stored[static_cast<std::size_t>(i)]));
  decoded.userValid = decoded.user.Decode();

  decoded.steps.Clear();
  for (int k = 0; k < kSlotCount; ++k)
    for (int i = 0; i < kBlockSize; ++i)
      decoded.steps.Append(k, NibbleSwap(stored[DayBlockAddress(k) + static_cast<std::size_t>(i)]));
  decoded.steps.Decode();

  decoded.exercises.Clear();
  for (std::size_t i = kExerciseHalfAddress; i < kWatchImageSize; ++i) decoded.exercises.Append(NibbleSwap(stored[i]));
  decoded.exercises.Decode();
  return decoded;
}

}  // namespace tempovia
