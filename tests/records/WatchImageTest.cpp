#include <gtest/gtest.h>

#include <random>

#include "RandomWatchValues.h"
#include "WatchValueMatchers.h"
#include "records/ValueEncoding.h"
#include "records/WatchImage.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

TEST(WatchImage, DecodingAnEncodedImageGivesBackTheValues) {
  std::mt19937 rng(20081208);
  for (int round = 0; round < 2000; ++round) {
    const WatchImageValues v = test::RandomWatchValues(rng);
    const DecodedWatchImage d = DecodeWatchImage(EncodeWatchImage(v));
    ASSERT_TRUE(d.userValid) << "round " << round;
    EXPECT_EQ(d.user.Height(), v.height);
    EXPECT_EQ(d.user.Weight(), v.weight);
    EXPECT_EQ(d.user.Stride(), v.stride);
    EXPECT_EQ(d.user.Word(), v.word);
    EXPECT_EQ(d.user.Flags(), v.flags);
    EXPECT_EQ(d.user.DayCount(), v.dayCountByte);
    for (int p = 0; p < v.dayCountByte; ++p)
      EXPECT_EQ(d.user.SlotAtPosition(p), v.dayOrderTable[static_cast<std::size_t>(p)]);
    const auto clock = EncodeClockBlock(v.clockYear, v.clockMonth, v.clockDay, v.clockHour, v.clockMinute);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(d.user.Clock()[static_cast<std::size_t>(i)], NibbleSwap(clock[static_cast<std::size_t>(i)]));
    EXPECT_EQ(d.user.Clock()[5], clock[5]);
    for (int k = 0; k < kSlotCount; ++k) {
      EXPECT_EQ(d.steps.Slot(k).valid, 1);
      test::ExpectSameDay(d.steps.Slot(k), v.days[static_cast<std::size_t>(k)], k);
    }
    EXPECT_EQ(d.exercises.Count(), v.exerciseCountByte);
    for (int p = 0; p < v.exerciseCountByte; ++p)
      EXPECT_EQ(d.exercises.SlotAtPosition(p), v.exerciseOrderTable[static_cast<std::size_t>(p)]);
    for (int k = 0; k < d.exercises.Count(); ++k) {
      EXPECT_EQ(d.exercises.Entry(k).valid, 1);
      test::ExpectSameExercise(d.exercises.Entry(k), v.exercises[static_cast<std::size_t>(k)], k);
    }
    if (HasFailure()) break;
  }
}

TEST(WatchImage, CorruptedChecksumsAreCaughtWhereAsked) {
  std::mt19937 rng(7);
  WatchImageValues v = test::RandomWatchValues(rng);
  v.SetExerciseOrder({0, 1, 2, 3});
  v.corruptDayChecksum[2] = true;
  v.corruptExerciseChecksum[3] = true;
  TraceCapture capture;
  DecodedWatchImage d = DecodeWatchImage(EncodeWatchImage(v));
  EXPECT_TRUE(d.userValid);
  for (int k = 0; k < kSlotCount; ++k) EXPECT_EQ(d.steps.Slot(k).valid, k == 2 ? 0 : 1) << k;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(d.exercises.Entry(k).valid, k == 3 ? 0 : 1) << k;
  EXPECT_TRUE(capture.Contains("Invalid step data checksum [day=2]"));
  EXPECT_TRUE(capture.Contains("Invalid exercise data checksum [day=3]"));

  v.corruptSettingsChecksum = true;
  d = DecodeWatchImage(EncodeWatchImage(v));
  EXPECT_FALSE(d.userValid);
}

TEST(WatchImage, KnownValuesLandAtTheirStoredAddresses) {
  WatchImageValues v;
  v.height = 170;
  v.weight = 65;
  v.stride = 75;
  v.clockYear = 9;
  v.clockMonth = 12;
  v.clockDay = 31;
  v.clockHour = 23;
  v.clockMinute = 59;
  v.flags = 0x10;
  v.SetDayOrder({3});
  v.days[3].year = 8;
  v.days[3].month = 12;
  v.days[3].day = 24;
  const WatchImage image = EncodeWatchImage(v);
  EXPECT_EQ(image[0], 0x10);  // 170 as value bytes 01 70, stored 10 07
  EXPECT_EQ(image[1], 0x07);
  EXPECT_EQ(image[6], 0xB4);
  EXPECT_EQ(image[9], 0x90);
  EXPECT_EQ(image[14], 0xC8);  // clock sum, not exchanged
  EXPECT_EQ(image[0x10], 0x30);
  EXPECT_EQ(image[0x17], 0x10);
  EXPECT_EQ(image[0x19], 0x01);  // clock-written bit in stored form
  EXPECT_EQ(image[0x80], 0x80);  // slot 3 year 08
  EXPECT_EQ(image[0x81], 0xC0);  // month 12 as a binary byte
  EXPECT_EQ(image[0x82], 0x42);  // day 24
}

// Any byte anywhere in the image decodes to fields inside their ranges, and the
// sanitizer build proves nothing is read or written out of bounds.
void ExpectFieldsInRange(const DecodedWatchImage& d) {
  ASSERT_LE(d.user.DayCount(), 7);
  ASSERT_LE(d.exercises.Count(), 7);
  for (int k = 0; k < kSlotCount; ++k) {
    const int dayOrder = d.user.DayOrder(k);
    ASSERT_TRUE(dayOrder == kNoPosition || (dayOrder >= 0 && dayOrder < 7));
    const int order = d.exercises.Order(k);
    ASSERT_TRUE(order == kNoPosition || (order >= 0 && order < 7));
    const StepDay& day = d.steps.Slot(k);
    ASSERT_LE(day.year, 35);
    ASSERT_TRUE(day.month >= 1 && day.month <= 12);
    ASSERT_TRUE(day.day >= 1 && day.day <= 31);
    ASSERT_LE(day.exerciseMinutes, 60);
    ASSERT_LE(day.exerciseSeconds, 60);
    if (k < d.exercises.Count()) {
      const ExerciseEntry& e = d.exercises.Entry(k);
      ASSERT_LE(e.year, 35);
      ASSERT_TRUE(e.month >= 1 && e.month <= 12);
      ASSERT_TRUE(e.day >= 1 && e.day <= 31);
      ASSERT_LE(e.startHour, 23);
      ASSERT_LE(e.startMinute, 59);
      ASSERT_LE(e.startSecond, 59);
      ASSERT_LE(e.durationHundredths, 99);
    }
  }
}

TEST(WatchImage, HostileImagesDecodeWithinRange) {
  WatchImage allFF;
  allFF.fill(0xFF);
  ExpectFieldsInRange(DecodeWatchImage(allFF));

  // Every value of every byte, on top of an image whose counts are full so that
  // every block is decoded.
  std::mt19937 rng(1);
  WatchImageValues v = test::RandomWatchValues(rng);
  v.SetDayOrder({0, 1, 2, 3, 4, 5, 6});
  v.SetExerciseOrder({0, 1, 2, 3, 4, 5, 6});
  const WatchImage base = EncodeWatchImage(v);
  for (std::size_t at = 0; at < kWatchImageSize; ++at) {
    WatchImage image = base;
    for (int value = 0; value < 256; ++value) {
      image[at] = static_cast<std::uint8_t>(value);
      ExpectFieldsInRange(DecodeWatchImage(image));
      if (HasFatalFailure()) {
        ADD_FAILURE() << "byte " << at << " = " << value;
        return;
      }
    }
  }
}

}  // namespace
}  // namespace tempovia
