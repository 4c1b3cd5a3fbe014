#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "records/ExerciseRecord.h"
#include "records/ValueEncoding.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using Half = std::array<std::uint8_t, kRawCapacity>;

void Feed(CExerciseRecord& record, const Half& half) {
  record.Clear();
  for (std::uint8_t b : half) record.Append(b);
}

void SetBlock(Half& half, int slot, std::initializer_list<std::pair<int, std::uint8_t>> bytes, int checksumDelta = 0) {
  std::uint8_t* block = half.data() + 32 + 32 * slot;
  for (const auto& [offset, value] : bytes) block[offset] = value;
  block[31] = static_cast<std::uint8_t>(Sum8(block, 31) + checksumDelta);
}

TEST(ExerciseRecord, CountTakesTheLowNibbleAndIsCappedAtSeven) {
  struct Case {
    std::uint8_t countByte;
    int count;
  };
  const Case cases[] = {{0x00, 0}, {0x03, 3}, {0x07, 7}, {0x0A, 7}, {0x1A, 7}, {0x25, 5}};
  for (const Case& c : cases) {
    Half half{};
    half[23] = c.countByte;
    CExerciseRecord record;
    Feed(record, half);
    record.Decode();
    EXPECT_EQ(record.Count(), c.count) << int(c.countByte);
  }
}

TEST(ExerciseRecord, OrderTableMapsSlotsToRecencyPositions) {
  Half half{};
  half[16] = 0x02;
  half[17] = 0x00;
  half[18] = 0x01;
  half[23] = 3;
  CExerciseRecord record;
  Feed(record, half);
  record.Decode();
  EXPECT_EQ(record.Order(2), 0);
  EXPECT_EQ(record.Order(0), 1);
  EXPECT_EQ(record.Order(1), 2);
  for (int slot = 3; slot < 7; ++slot) EXPECT_EQ(record.Order(slot), kNoPosition);
  EXPECT_EQ(record.SlotAtPosition(0), 2);
  EXPECT_EQ(record.SlotAtPosition(1), 0);
  EXPECT_EQ(record.SlotAtPosition(2), 1);
  EXPECT_EQ(record.SlotAtPosition(3), kNoPosition);
  EXPECT_EQ(record.SlotAtPosition(kNoPosition), kNoPosition);
}

TEST(ExerciseRecord, OrderBytesNamingSlotSevenOrMoreAreIgnored) {
  Half half{};
  half[16] = 0x07;
  half[17] = 0xF1;  // only the low nibble counts: slot 1
  half[23] = 2;
  CExerciseRecord record;
  Feed(record, half);
  record.Decode();
  EXPECT_EQ(record.Order(1), 1);
  EXPECT_EQ(record.SlotAtPosition(0), kNoPosition);
}

TEST(ExerciseRecord, ZeroBlockDecodesToFirstJanuary2000AndPasses) {
  Half half{};
  half[23] = 1;
  CExerciseRecord record;
  Feed(record, half);
  record.Decode();
  const ExerciseEntry& e = record.Entry(0);
  EXPECT_EQ(e.valid, 1);
  EXPECT_EQ(e.day, 1);
  EXPECT_EQ(e.month, 1);
  EXPECT_EQ(e.year, 0);
  EXPECT_EQ(e.steps, 0);
}

TEST(ExerciseRecord, SlotsAtOrBeyondTheCountAreLeftCleared) {
  Half half{};
  half[23] = 2;
  CExerciseRecord record;
  Feed(record, half);
  record.Decode();
  EXPECT_EQ(record.Entry(1).valid, 1);
  // A zero block would pass its sum, but slot 2 is beyond the count.
  EXPECT_EQ(record.Entry(2).valid, 0);
  EXPECT_EQ(record.Entry(2).month, 0);
}

TEST(ExerciseRecord, DecodesFieldsInTheirReversedDateOrderWithRangeRules) {
  Half half{};
  half[23] = 2;
  SetBlock(half, 0, {{0, 0x31},  {1, 0x0C},  {2, 0x09},  {3, 0x05},  {4, 0x59},  {5, 0x23},  {6, 0x01},  {7, 0x02},
                     {8, 0x03},  {9, 0x99},  {10, 0x01}, {11, 0x23}, {12, 0x45}, {13, 0x00}, {14, 0x12}, {15, 0x34},
                     {16, 0x00}, {17, 0x05}, {18, 0x67}, {19, 0x00}, {20, 0x06}, {21, 0x50}, {22, 0x01}, {23, 0x20},
                     {24, 0x01}, {25, 0x65}, {26, 0x00}, {27, 0x80}, {28, 0x00}, {29, 0x04}, {30, 0x56}});
  SetBlock(half, 1, {{3, 0x60}, {4, 0x60}, {5, 0x24}, {6, 0x24}, {7, 0x60}, {8, 0x60}, {9, 0x9A}});
  CExerciseRecord record;
  Feed(record, half);
  record.Decode();
  const ExerciseEntry& e = record.Entry(0);
  EXPECT_EQ(e.valid, 1);
  EXPECT_EQ(e.day, 31);
  EXPECT_EQ(e.month, 12);
  EXPECT_EQ(e.year, 9);
  EXPECT_EQ(e.startSecond, 5);
  EXPECT_EQ(e.startMinute, 59);
  EXPECT_EQ(e.startHour, 23);
  EXPECT_EQ(e.durationHours, 1);
  EXPECT_EQ(e.durationMinutes, 2);
  EXPECT_EQ(e.durationSeconds, 3);
  EXPECT_EQ(e.durationHundredths, 99);
  EXPECT_DOUBLE_EQ(e.steps, 12345);
  EXPECT_DOUBLE_EQ(e.calories, 123.4);
  EXPECT_DOUBLE_EQ(e.distance, 5.67);
  EXPECT_DOUBLE_EQ(e.avgSpeed, 6.5);
  EXPECT_DOUBLE_EQ(e.avgHeartRate, 120);
  EXPECT_DOUBLE_EQ(e.maxHeartRate, 165);
  EXPECT_DOUBLE_EQ(e.minHeartRate, 80);
  EXPECT_DOUBLE_EQ(e.fatBurnt, 45.6);
  const ExerciseEntry& out = record.Entry(1);
  EXPECT_EQ(out.startSecond, 0);
  EXPECT_EQ(out.startMinute, 0);
  EXPECT_EQ(out.startHour, 0);  // 24 is out of range
  EXPECT_EQ(out.durationHours, 0);
  EXPECT_EQ(out.durationMinutes, 0);
  EXPECT_EQ(out.durationSeconds, 0);
  EXPECT_EQ(out.durationHundredths, 9);  // 0x9A reads 9
}

TEST(ExerciseRecord, BadChecksumIsKeptInvalidAndTraced) {
  Half half{};
  half[23] = 3;
  SetBlock(half, 2, {{10, 0x10}}, 5);
  CExerciseRecord record;
  Feed(record, half);
  TraceCapture capture;
  record.Decode();
  EXPECT_EQ(record.Entry(2).valid, 0);
  EXPECT_DOUBLE_EQ(record.Entry(2).steps, 100000);
  char expected[80];
  std::snprintf(expected, sizeof expected, "Invalid exercise data checksum [day=2] %02X (%02X)\n", 0x15, 0x10);
  EXPECT_EQ(capture.Messages(), std::vector<std::string>{expected});
}

TEST(ExerciseRecord, AppendKeepsAtMost256Bytes) {
  CExerciseRecord record;
  record.Clear();
  for (int i = 0; i < 257; ++i) record.Append(0x11);
  EXPECT_EQ(record.RawLength(), 256);
}

}  // namespace
}  // namespace tempovia
