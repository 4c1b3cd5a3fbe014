#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "records/ValueEncoding.h"

namespace tempovia {
namespace {

// The reading rule exactly as the watch's documentation words it: print the
// bytes as upper-case hex and read the leading decimal digits.
std::int64_t ReadBcdByText(const std::uint8_t* bytes, std::size_t n) {
  char text[32] = {};
  for (std::size_t i = 0; i < n; ++i) std::snprintf(text + 2 * i, 3, "%02X", bytes[i]);
  std::size_t digits = std::strspn(text, "0123456789");
  text[digits] = '\0';
  return digits == 0 ? 0 : std::strtoll(text, nullptr, 10);
}

TEST(ValueEncoding, NibbleExchangeSwapsHalvesAndIsItsOwnInverse) {
  EXPECT_EQ(NibbleSwap(0x2A), 0xA2);
  EXPECT_EQ(NibbleSwap(0x07), 0x70);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(NibbleSwap(NibbleSwap(static_cast<std::uint8_t>(b))), b);
}

TEST(ValueEncoding, BcdReadingStopsAtTheFirstNibbleAboveNine) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::int64_t value;
  };
  const Case cases[] = {
      {{0x12, 0x3A}, 123},  {{0xA1, 0x00}, 0}, {{0x01, 0x70}, 170},          {{0x00, 0x12, 0x34}, 1234},
      {{0x99, 0x99}, 9999}, {{0x1F, 0x22}, 1}, {{0x99, 0x99, 0x99}, 999999}, {{0x00}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadBcd(c.bytes.data(), c.bytes.size()), c.value);
}

TEST(ValueEncoding, BcdReadingAgreesWithTheTextRuleForEveryTwoByteField) {
  for (int hi = 0; hi < 256; ++hi)
    for (int lo = 0; lo < 256; ++lo) {
      const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(hi), static_cast<std::uint8_t>(lo)};
      ASSERT_EQ(ReadBcd(bytes, 2), ReadBcdByText(bytes, 2)) << hi << " " << lo;
    }
}

TEST(ValueEncoding, ScaledFieldsDivideTheDigits) {
  const std::uint8_t calories[3] = {0x00, 0x12, 0x34};
  const std::uint8_t distance[3] = {0x00, 0x05, 0x67};
  EXPECT_DOUBLE_EQ(ReadBcdScaled(calories, 3, 10), 123.4);
  EXPECT_DOUBLE_EQ(ReadBcdScaled(distance, 3, 100), 5.67);
}

TEST(ValueEncoding, BcdWritingPutsTheHighByteFirstAndLosesDigitsThatDoNotFit) {
  struct Case {
    std::int64_t value;
    std::size_t n;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {170, 2, {0x01, 0x70}},   {0, 2, {0x00, 0x00}},     {9999, 2, {0x99, 0x99}},
      {10000, 2, {0x00, 0x00}}, {12345, 2, {0x23, 0x45}}, {123456, 3, {0x12, 0x34, 0x56}},
      {59, 1, {0x59}},          {-5, 2, {0x00, 0x00}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> out(c.n, 0xEE);
    WriteBcd(c.value, out.data(), c.n);
    EXPECT_EQ(out, c.bytes) << c.value;
  }
}

TEST(ValueEncoding, BlockDatesFollowTheirRangeRules) {
  struct Case {
    std::uint8_t byte;
    int year, month, day;
  };
  // Month bytes are binary: 0x10 is 16 and 0x11 is 17, both out of range.
  const Case cases[] = {
      {0x00, 0, 1, 1},   {0x35, 35, 1, 1},  {0x36, 0, 1, 1},  {0x0C, 0, 12, 1}, {0x10, 10, 1, 10},
      {0x11, 11, 1, 11}, {0x31, 31, 1, 31}, {0x32, 32, 1, 1}, {0x3A, 3, 1, 3},  {0xA0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeBlockYear(c.byte), c.year) << int(c.byte);
    EXPECT_EQ(DecodeBlockMonth(c.byte), c.month) << int(c.byte);
    EXPECT_EQ(DecodeBlockDay(c.byte), c.day) << int(c.byte);
  }
}

TEST(ValueEncoding, ClockBlockIsExchangedExceptItsChecksum) {
  // 2009-12-31 23:59: (0x09 + 0x12 + 0x31 + 0x23 + 0x59) mod 256 = 0xC8.
  const auto block = EncodeClockBlock(9, 12, 31, 23, 59);
  EXPECT_EQ(block, (std::array<std::uint8_t, 6>{0x90, 0x21, 0x13, 0x32, 0x95, 0xC8}));
}

TEST(ValueEncoding, SettingsBlockIsExchangedIncludingItsChecksum) {
  // 170 cm, 65 kg, 75 cm: value bytes 01 70 00 65 00 75, sum 0x4B.
  const auto block = EncodeSettingsBlock(170, 65, 75);
  EXPECT_EQ(block, (std::array<std::uint8_t, 7>{0x10, 0x07, 0x00, 0x56, 0x00, 0x57, 0xB4}));
}

TEST(ValueEncoding, SumsAreModulo256) {
  const std::uint8_t bytes[4] = {0xFF, 0x02, 0x80, 0x80};
  EXPECT_EQ(Sum8(bytes, 4), 0x01);
  EXPECT_EQ(Sum8(bytes, 0), 0);
}

}  // namespace
}  // namespace tempovia
