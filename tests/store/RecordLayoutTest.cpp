// Stored layouts are contracts with files written on other machines: the
// expected bytes are put together by hand at the documented offsets.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "store/DayRecord.h"
#include "store/LocalUserRecord.h"
#include "store/StoredExercise.h"
#include "store/UserSettings.h"

namespace tempovia {
namespace {

static_assert(std::endian::native == std::endian::little, "the expected bytes are built with memcpy");

using Bytes = std::vector<std::uint8_t>;

template <class T>
void Put(Bytes& b, std::size_t offset, T value) {
  std::memcpy(b.data() + offset, &value, sizeof value);
}

void PutText(Bytes& b, std::size_t offset, const std::string& text) {
  std::memcpy(b.data() + offset, text.data(), text.size());
}

template <class Record>
Bytes Encoded(const Record& r) {
  Bytes b(Record::kSize, 0xEE);  // every byte must be written
  r.ToBytes(b.data());
  return b;
}

TEST(RecordLayout, LocalUserRecordKeepsThePasswordAtTheOddOffset35) {
  LocalUserRecord r{101,
                    "Anna Maria Schl\xF6gl-Uhlenbrocks",
                    "geheim123456",
                    172.5,
                    64.25,
                    71,
                    95.5,
                    38,
                    LocalUserRecord::kFemale,
                    "101.jpeg",
                    "101.dat",
                    "101_exercise.dat",
                    0};
  ASSERT_EQ(r.name.size(), 30u);
  Bytes want(152, 0);
  Put<std::int32_t>(want, 0, 101);
  PutText(want, 4, r.name);
  PutText(want, 35, "geheim123456");
  Put(want, 48, 172.5);
  Put(want, 56, 64.25);
  Put(want, 64, 71.0);
  Put(want, 72, 95.5);
  Put<std::int32_t>(want, 80, 38);
  Put<std::int32_t>(want, 84, 1);
  PutText(want, 88, "101.jpeg");
  PutText(want, 108, "101.dat");
  PutText(want, 128, "101_exercise.dat");
  EXPECT_EQ(Encoded(r), want);
  EXPECT_EQ(LocalUserRecord::FromBytes(want.data()), r);
}

TEST(RecordLayout, DayRecordFieldsSitAtTheirOffsets) {
  DayRecord r;
  r.id = 0x01020304;
  r.aux1 = 1234;
  r.aux2 = -5;
  r.reserved = 7;
  r.year = 8;
  r.month = 12;
  r.day = 31;
  r.hourSteps[0] = 11;
  r.hourSteps[23] = 2323;
  r.hourValue[0] = 0.5;
  r.hourValue[23] = 23.75;
  r.steps = 12345;
  r.calories = 432.1;
  r.distance = 8.76;
  r.minHeartRate = 58;
  r.avgHeartRate = 92;
  r.maxHeartRate = 171;
  r.fatBurnt = 21.4;
  r.avgSpeed = 5.25;
  r.exerciseHours = 1;
  r.exerciseMinutes = 50;
  r.exerciseSeconds = 40;
  r.note = "Lauf am See \x80 5 km";
  r.hidden = 1;

  Bytes want(648, 0);
  Put<std::int32_t>(want, 0, 0x01020304);
  Put<std::int32_t>(want, 4, 1234);
  Put<std::int32_t>(want, 8, -5);
  Put<std::int32_t>(want, 12, 7);
  want[16] = 8;
  want[17] = 12;
  want[18] = 31;
  Put<std::int32_t>(want, 20, 11);
  Put<std::int32_t>(want, 20 + 23 * 4, 2323);
  Put(want, 120, 0.5);
  Put(want, 120 + 23 * 8, 23.75);
  const double totals[] = {12345, 432.1, 8.76, 58, 92, 171, 21.4, 5.25};
  for (std::size_t i = 0; i < 8; ++i) Put(want, 312 + 8 * i, totals[i]);
  Put<std::int32_t>(want, 376, 1);
  Put<std::int32_t>(want, 380, 50);
  Put<std::int32_t>(want, 384, 40);
  PutText(want, 388, r.note);
  Put<std::int32_t>(want, 644, 1);
  EXPECT_EQ(Encoded(r), want);
  EXPECT_EQ(DayRecord::FromBytes(want.data()), r);
  EXPECT_EQ(r.Date(), std::chrono::year{2008} / 12 / 31);

  Bytes blank(648, 0);
  blank[17] = 1;
  blank[18] = 1;
  Put(blank, 336, 240.0);
  EXPECT_EQ(Encoded(DayRecord::Blank()), blank);
}

TEST(RecordLayout, StoredExerciseFieldsSitAtTheirOffsets) {
  StoredExercise r{100, 11, 2, 28, 23, 59, 58, 1, 2, 3, 99, 4321, 210.5, 3.21, 70, 120, 165, 12.3, 6.54, 0};
  Bytes want(88, 0);
  Put<std::int32_t>(want, 0, 100);
  const std::uint8_t timing[] = {11, 2, 28, 23, 59, 58, 1, 2, 3, 99};
  std::memcpy(want.data() + 4, timing, sizeof timing);
  const double totals[] = {4321, 210.5, 3.21, 70, 120, 165, 12.3, 6.54};
  for (std::size_t i = 0; i < 8; ++i) Put(want, 16 + 8 * i, totals[i]);
  EXPECT_EQ(Encoded(r), want);
  EXPECT_EQ(StoredExercise::FromBytes(want.data()), r);
}

TEST(RecordLayout, UserSettingsHoldsUnitsChoicesAndTheReportPath) {
  UserSettings s;
  s.distanceUnit = 1;
  s.downloadData = 1;
  s.reportPath = "/home/anna/Berichte/Exercise Report 2008-12-08.pdf";
  Bytes want(264, 0);
  want[0] = 1;
  want[3] = 1;
  PutText(want, 4, s.reportPath);
  Bytes got(264, 0xEE);
  s.ToBytes(got.data());
  EXPECT_EQ(got, want);
  const UserSettings back = UserSettings::FromBytes(want.data());
  EXPECT_EQ(back.distanceUnit, 1);
  EXPECT_EQ(back.writeClock, 0);
  EXPECT_EQ(back.downloadData, 1);
  EXPECT_EQ(back.reportPath, s.reportPath);
}

// A field without its NUL (legal in a file from elsewhere) is read to its
// width and not into the next field, and written back whole.
TEST(RecordLayout, TextWithoutItsNulEndsAtTheFieldWidth) {
  Bytes user(152, 0);
  std::memset(user.data() + 4, 'N', 31);
  std::memset(user.data() + 35, 'P', 13);
  std::memset(user.data() + 108, 'S', 20);
  const LocalUserRecord r = LocalUserRecord::FromBytes(user.data());
  EXPECT_EQ(r.name, std::string(31, 'N'));
  EXPECT_EQ(r.password, std::string(13, 'P'));
  EXPECT_EQ(r.stepFile, std::string(20, 'S'));
  EXPECT_EQ(Encoded(r), user);

  Bytes day(648, 0);
  std::memset(day.data() + 388, 'x', 256);
  Put<std::int32_t>(day, 644, 0x41414141);
  EXPECT_EQ(DayRecord::FromBytes(day.data()).note, std::string(256, 'x'));
}

}  // namespace
}  // namespace tempovia
