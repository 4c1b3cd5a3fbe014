#pragma once
// Where things live in the 512-byte watch memory image.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tempovia {

constexpr std::size_t kWatchImageSize = 512;
using WatchImage = std::array<std::uint8_t, kWatchImageSize>;

// Bytes a record holder keeps per day slot or per half; more are dropped.
constexpr int kRawCapacity = 256;
constexpr int kSlotCount = 7;
constexpr int kBlockSize = 32;
// Slot number in an order table that names no slot.
constexpr int kNoPosition = 31;

constexpr std::uint16_t kSettingsAddress = 0x000;
constexpr std::uint16_t kClockAddress = 0x009;
constexpr std::uint16_t kFlagsAddress = 0x019;
constexpr int kUserRecordLength = 26;
constexpr std::uint16_t kExerciseHalfAddress = 0x100;
constexpr std::uint16_t kDayOrderOffset = 0x10;
constexpr std::uint16_t kDayCountOffset = 0x17;
// Offsets within the exercise half (0x100..0x1FF).
constexpr std::uint16_t kExerciseOrderOffset = 16;
constexpr std::uint16_t kExerciseCountOffset = 23;
constexpr std::uint16_t kExerciseBlocksOffset = 32;

constexpr std::uint8_t kFlagClockWritten = 0x01;     // stored form
constexpr std::uint8_t kFlagSettingsWritten = 0x02;  // stored form

constexpr std::uint16_t DayBlockAddress(int slot) {
  return static_cast<std::uint16_t>(0x20 + 0x20 * slot);
}
constexpr std::uint16_t ExerciseBlockAddress(int slot) {
  return static_cast<std::uint16_t>(0x120 + 0x20 * slot);
}

}  // namespace tempovia
