#pragma once
// Building a watch memory image from values, and decoding one the way a
// download does. The watch simulator serves built images; tests build images
// from values instead of hex dumps; the command-line tool decodes dumps.

#include <array>
#include <cstdint>
#include <vector>

#include "records/ExerciseEntry.h"
#include "records/ExerciseRecord.h"
#include "records/StepDay.h"
#include "records/StepRecord.h"
#include "records/UserRecord.h"
#include "records/WatchLayout.h"

namespace tempovia {

struct WatchImageValues {
  // Settings block.
  int height = 0;  // cm
  int weight = 0;  // kg
  int stride = 0;  // cm
  std::uint16_t word = 0;
  // Clock block, as the host last wrote it.
  int clockYear = 0;  // years since 2000
  int clockMonth = 1;
  int clockDay = 1;
  int clockHour = 0;
  int clockMinute = 0;
  // Value-form bytes of the day order table and the day count byte: the low
  // nibble of byte i is the slot at recency position i (0 = newest).
  std::array<std::uint8_t, kSlotCount> dayOrderTable{};
  std::uint8_t dayCountByte = 0;
  // Flags in value form, as UserRecord::Flags reads them (0x10 clock, 0x20 settings).
  std::uint8_t flags = 0;
  // Day slots; only the date and figure fields are used.
  std::array<StepDay, kSlotCount> days{};
  // Exercise order table, count byte and session slots.
  std::array<std::uint8_t, kSlotCount> exerciseOrderTable{};
  std::uint8_t exerciseCountByte = 0;
  std::array<ExerciseEntry, kSlotCount> exercises{};

  // Wrong checksums on purpose (the stored sum plus one).
  bool corruptSettingsChecksum = false;
  bool corruptClockChecksum = false;
  std::array<bool, kSlotCount> corruptDayChecksum{};
  std::array<bool, kSlotCount> corruptExerciseChecksum{};

  // Fills the day order table and count from slots listed newest first.
  void SetDayOrder(const std::vector<int>& slotsNewestFirst);
  // Fills the exercise order table and count from slots listed newest first.
  void SetExerciseOrder(const std::vector<int>& slotsNewestFirst);
};

// The 512-byte image in stored form, with correct checksums unless asked otherwise.
WatchImage EncodeWatchImage(const WatchImageValues& values);

// Encodes a day's date and figures as a 32-byte value-form block with its checksum.
std::array<std::uint8_t, kBlockSize> EncodeDayBlock(const StepDay& day);
// Encodes a session as a 32-byte value-form block with its checksum.
std::array<std::uint8_t, kBlockSize> EncodeExerciseBlock(const ExerciseEntry& entry);

// Decodes a stored-form image as a download does: the first 26 bytes into the
// user record, each day block into its slot, the exercise half into the
// exercise record.
struct DecodedWatchImage {
  UserRecord user;
  bool userValid = false;
  StepRecord steps;
  CExerciseRecord exercises;
};
DecodedWatchImage DecodeWatchImage(const WatchImage& stored);

}  // namespace tempovia
