#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "records/UserRecord.h"
#include "records/ValueEncoding.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using Bytes = std::array<std::uint8_t, kUserRecordLength>;

UserRecord Decoded(const Bytes& valueForm, bool* ok = nullptr) {
  UserRecord record;
  record.Clear();
  for (std::uint8_t b : valueForm) record.Append(b);
  const bool result = record.Decode();
  if (ok != nullptr) *ok = result;
  return record;
}

// Value-form bytes of a record that passes: 170 cm, 65 kg, 75 cm, sum 0x4B.
Bytes GoodRecord() {
  Bytes b{};
  const std::uint8_t settings[7] = {0x01, 0x70, 0x00, 0x65, 0x00, 0x75, 0x4B};
  for (int i = 0; i < 7; ++i) b[static_cast<std::size_t>(i)] = settings[i];
  return b;
}

TEST(UserRecord, FreshImageWithZeroSettingsPasses) {
  bool ok = false;
  const UserRecord record = Decoded(Bytes{}, &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(record.Height(), 0);
  EXPECT_EQ(record.DayCount(), 0);
}

TEST(UserRecord, SettingsWithMatchingSumPassAndDecode) {
  bool ok = false;
  const UserRecord record = Decoded(GoodRecord(), &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(record.Height(), 170);
  EXPECT_EQ(record.Weight(), 65);
  EXPECT_EQ(record.Stride(), 75);
  EXPECT_EQ(record.SettingsChecksum(), 0xB4);  // stored form of 0x4B
}

TEST(UserRecord, ClockWordFlagsAndTextsComeFromTheirBytes) {
  Bytes b = GoodRecord();
  b[7] = 0x12;
  b[8] = 0x34;
  const std::uint8_t clock[5] = {0x09, 0x12, 0x31, 0x23, 0x59};
  for (int i = 0; i < 5; ++i) b[static_cast<std::size_t>(9 + i)] = clock[i];
  b[14] = NibbleSwap(0xC8);  // the clock sum sits unexchanged in stored form
  b[25] = 0x30;
  const UserRecord record = Decoded(b);
  EXPECT_EQ(record.Word(), 0x1234);
  EXPECT_EQ(record.DateText(), "09-12-31");
  EXPECT_EQ(record.TimeText(), "23:59 [C8]");
  EXPECT_EQ(record.Clock(), (std::array<int, 6>{0x09, 0x12, 0x31, 0x23, 0x59, 0xC8}));
  EXPECT_EQ(record.Flags(), 0x30);
}

TEST(UserRecord, DayCountIsTheLowNibbleCappedAtSeven) {
  struct Case {
    std::uint8_t byte;
    int count;
  };
  const Case cases[] = {{0x27, 7}, {0x09, 7}, {0x03, 3}, {0xF2, 2}};
  for (const Case& c : cases) {
    Bytes b = GoodRecord();
    b[0x17] = c.byte;
    EXPECT_EQ(Decoded(b).DayCount(), c.count) << int(c.byte);
  }
}

TEST(UserRecord, DayOrderNamesSlotsAndSkipsNibblesOfSevenOrMore) {
  Bytes b = GoodRecord();
  const std::uint8_t table[4] = {0x03, 0x02, 0x08, 0x10};
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(0x10 + i)] = table[i];
  b[0x17] = 4;
  const UserRecord record = Decoded(b);
  EXPECT_EQ(record.DayOrder(3), 0);
  EXPECT_EQ(record.DayOrder(2), 1);
  EXPECT_EQ(record.DayOrder(0), 3);  // 0x10: low nibble 0
  for (int slot : {1, 4, 5, 6}) EXPECT_EQ(record.DayOrder(slot), kNoPosition) << slot;
  EXPECT_EQ(record.SlotAtPosition(0), 3);
  EXPECT_EQ(record.SlotAtPosition(1), 2);
  EXPECT_EQ(record.SlotAtPosition(2), kNoPosition);
  EXPECT_EQ(record.SlotAtPosition(3), 0);
}

TEST(UserRecord, BadSettingsSumFailsWithATraceLineAndAHexDump) {
  Bytes b = GoodRecord();
  b[6] = 0x4C;
  TraceCapture capture;
  bool ok = true;
  Decoded(b, &ok);
  EXPECT_FALSE(ok);
  const auto messages = capture.Messages();
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages[0], "Invalid User Data Checksum : C4 (B4)\n");
  EXPECT_EQ(capture.Entries()[0].module, "UserRecord");
  EXPECT_EQ(messages[1], "Start dumping data : \n");
  // The dump shows bytes 6 and 14 as they are checked, in stored form.
  EXPECT_NE(capture.Text().find("0000 01 70 00 65 00 75 C4 "), std::string::npos);
  // Two rows for 26 bytes.
  EXPECT_NE(capture.Text().find("\n0001 "), std::string::npos);
}

TEST(UserRecord, DecodingTwiceGivesTheSameAnswer) {
  UserRecord record;
  record.Clear();
  for (std::uint8_t b : GoodRecord()) record.Append(b);
  EXPECT_TRUE(record.Decode());
  EXPECT_TRUE(record.Decode());
  EXPECT_EQ(record.SettingsChecksum(), 0xB4);
}

TEST(UserRecord, AppendKeepsAtMost256Bytes) {
  UserRecord record;
  record.Clear();
  for (int i = 0; i < 400; ++i) record.Append(1);
  EXPECT_EQ(record.RawLength(), 256);
}

}  // namespace
}  // namespace tempovia
