#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "base/ByteOrder.h"

namespace tempovia {
namespace {

TEST(ByteOrder, IntegersAreLittleEndianTwosComplement) {
  std::array<std::uint8_t, 4> b{};
  StoreI32LE(b.data(), 100);
  EXPECT_EQ(b, (std::array<std::uint8_t, 4>{0x64, 0x00, 0x00, 0x00}));
  StoreI32LE(b.data(), -2);
  EXPECT_EQ(b, (std::array<std::uint8_t, 4>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(LoadI32LE(b.data()), -2);
  const std::array<std::uint8_t, 4> high{0x00, 0x00, 0x00, 0x80};
  EXPECT_EQ(LoadU32LE(high.data()), 0x80000000u);
}

TEST(ByteOrder, DoublesAreLittleEndianBinary64) {
  std::array<std::uint8_t, 8> b{};
  StoreF64LE(b.data(), 240.0);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 0x6E, 0x40}));
  EXPECT_EQ(LoadF64LE(b.data()), 240.0);
  StoreF64LE(b.data(), -0.1);
  EXPECT_EQ(LoadF64LE(b.data()), -0.1);
}

TEST(ByteOrder, FixedTextStopsAtNulOrAtTheFieldWidth) {
  const std::array<std::uint8_t, 6> withNul{'A', 'n', 'n', 0, 'x', 'y'};
  EXPECT_EQ(LoadFixedText(withNul.data(), withNul.size()), "Ann");
  // No NUL inside the field: read its width and not one byte further.
  const std::array<std::uint8_t, 6> full{'A', 'B', 'C', 'D', 'E', 'F'};
  EXPECT_EQ(LoadFixedText(full.data(), 4), "ABCD");
}

TEST(ByteOrder, FixedTextFillsItsWidthAtMostAndIsZeroFilled) {
  std::array<std::uint8_t, 6> field;
  field.fill(0xEE);
  StoreFixedText(field.data(), 5, "Johannes");
  EXPECT_EQ(field, (std::array<std::uint8_t, 6>{'J', 'o', 'h', 'a', 0, 0xEE}));
  // As wide as the field: read so from a full field, so written back whole.
  StoreFixedText(field.data(), 5, "Heidi");
  EXPECT_EQ(field, (std::array<std::uint8_t, 6>{'H', 'e', 'i', 'd', 'i', 0xEE}));
  StoreFixedText(field.data(), 5, "Al");
  EXPECT_EQ(field, (std::array<std::uint8_t, 6>{'A', 'l', 0, 0, 0, 0xEE}));
}

}  // namespace
}  // namespace tempovia
