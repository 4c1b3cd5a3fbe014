#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "records/StepRecord.h"
#include "records/ValueEncoding.h"
#include "records/WatchImage.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using Block = std::array<std::uint8_t, kBlockSize>;

void Feed(StepRecord& record, int slot, const Block& block) {
  for (std::uint8_t b : block) record.Append(slot, b);
}

// A block with the given bytes set and a matching checksum.
Block BlockWith(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
  Block block{};
  for (const auto& [offset, value] : bytes) block[static_cast<std::size_t>(offset)] = value;
  block[31] = Sum8(block.data(), 31);
  return block;
}

TEST(StepRecord, ClearedSlotDecodesToFirstJanuary2000AndPassesItsSum) {
  StepRecord record;
  record.Clear();
  EXPECT_TRUE(record.Decode());
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const StepDay& day = record.Slot(slot);
    EXPECT_EQ(day.valid, 1);
    EXPECT_EQ(day.year, 0);
    EXPECT_EQ(day.month, 1);
    EXPECT_EQ(day.day, 1);
    EXPECT_EQ(day.steps, 0);
    EXPECT_EQ(day.checksum, 0);
  }
}

TEST(StepRecord, DecodesEveryFieldFromItsOffset) {
  StepRecord record;
  record.Clear();
  Feed(record, 4,
       BlockWith({{0, 0x08},  {1, 0x03},  {2, 0x05},  {3, 0x01},  {4, 0x23},  {5, 0x45},  {6, 0x00},  {7, 0x12},
                  {8, 0x34},  {9, 0x00},  {10, 0x05}, {11, 0x67}, {12, 0x00}, {13, 0x04}, {14, 0x50}, {15, 0x12},
                  {16, 0x34}, {17, 0x56}, {18, 0x78}, {19, 0x00}, {20, 0x88}, {21, 0x01}, {22, 0x45}, {23, 0x00},
                  {24, 0x61}, {25, 0x02}, {26, 0x75}, {27, 0x60}, {28, 0x00}, {29, 0x03}, {30, 0x21}}));
  record.Decode();
  const StepDay& day = record.Slot(4);
  EXPECT_EQ(day.valid, 1);
  EXPECT_EQ(day.year, 8);
  EXPECT_EQ(day.month, 3);
  EXPECT_EQ(day.day, 5);
  EXPECT_EQ(day.steps, 12345);
  EXPECT_DOUBLE_EQ(day.calories, 123.4);
  EXPECT_DOUBLE_EQ(day.distance, 5.67);
  EXPECT_DOUBLE_EQ(day.avgSpeed, 4.5);
  EXPECT_EQ(day.aux1, 1234);
  EXPECT_EQ(day.aux2, 5678);
  EXPECT_EQ(day.avgHeartRate, 88);
  EXPECT_EQ(day.maxHeartRate, 145);
  EXPECT_EQ(day.minHeartRate, 61);
  EXPECT_EQ(day.exerciseHours, 2);
  EXPECT_EQ(day.exerciseMinutes, 15);  // 75 wraps to 15
  EXPECT_EQ(day.exerciseSeconds, 60);  // exactly 60 stays
  EXPECT_DOUBLE_EQ(day.fatBurnt, 32.1);
  EXPECT_EQ(day.reserved, 0);
}

TEST(StepRecord, ExerciseTimeAbove60WrapsRepeatedly) {
  StepRecord record;
  record.Clear();
  Feed(record, 0, BlockWith({{26, 0x61}, {27, 0x99}}));
  record.Decode();
  EXPECT_EQ(record.Slot(0).exerciseMinutes, 1);
  EXPECT_EQ(record.Slot(0).exerciseSeconds, 39);
}

TEST(StepRecord, MonthByteIsBinary) {
  StepRecord record;
  record.Clear();
  Feed(record, 0, BlockWith({{1, 0x11}}));
  Feed(record, 1, BlockWith({{1, 0x0C}}));
  Feed(record, 2, BlockWith({{1, 0x10}}));
  record.Decode();
  EXPECT_EQ(record.Slot(0).month, 1);
  EXPECT_EQ(record.Slot(1).month, 12);
  EXPECT_EQ(record.Slot(2).month, 1);
}

TEST(StepRecord, BadChecksumKeepsTheFieldsAndIsTraced) {
  StepRecord record;
  record.Clear();
  Block block = BlockWith({{0, 0x09}, {3, 0x00}, {4, 0x10}, {5, 0x00}});
  const std::uint8_t good = block[31];
  block[31] = static_cast<std::uint8_t>(good + 1);
  Feed(record, 3, block);
  TraceCapture capture;
  EXPECT_TRUE(record.Decode());
  EXPECT_EQ(record.Slot(3).valid, 0);
  EXPECT_EQ(record.Slot(3).steps, 1000);
  EXPECT_EQ(record.Slot(3).year, 9);
  char expected[80];
  std::snprintf(expected, sizeof expected, "Invalid step data checksum [day=3] %02X (%02X)\n", block[31], good);
  ASSERT_EQ(capture.Entries().size(), 1u);
  EXPECT_EQ(capture.Entries()[0].text, expected);
  EXPECT_EQ(capture.Entries()[0].module, "StepRecord");
}

TEST(StepRecord, AppendKeepsAtMost256BytesAndIgnoresUnknownSlots) {
  StepRecord record;
  record.Clear();
  for (int i = 0; i < 300; ++i) record.Append(2, static_cast<std::uint8_t>(i));
  record.Append(7, 0x55);
  record.Append(-1, 0x55);
  EXPECT_EQ(record.Slot(2).rawLength, 256);
  EXPECT_EQ(record.Slot(2).raw[255], 255);
  EXPECT_EQ(record.Slot(7).rawLength, 0);
  record.Clear();
  EXPECT_EQ(record.Slot(2).rawLength, 0);
}

}  // namespace
}  // namespace tempovia
