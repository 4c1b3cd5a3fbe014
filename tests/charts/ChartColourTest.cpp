#include <gtest/gtest.h>

#include "charts/ChartColour.h"

namespace tempovia {
namespace {

TEST(ChartColour, DarkenReflectsChannelsBelowTheAmount) {
  EXPECT_EQ(Darken({247, 198, 0}, 86), (Rgb{161, 112, 86}));
  EXPECT_EQ(Darken({30, 100, 255}, 86), (Rgb{56, 14, 169}));  // 30 - 86 reflects to 56, not 0
  EXPECT_EQ(Darken({149, 149, 149}, 50), (Rgb{99, 99, 99}));
}

TEST(ChartColour, BlendMovesFromTheSecondColourTowardsTheFirst) {
  EXPECT_EQ(Blend({0, 0, 0}, kWhite, 37), (Rgb{160, 160, 160}));
  EXPECT_EQ(Blend({10, 20, 30}, kWhite, 100), (Rgb{10, 20, 30}));
  EXPECT_EQ(Blend({10, 20, 30}, kWhite, 0), kWhite);
  EXPECT_EQ(Blend({200, 100, 0}, {0, 100, 200}, 50), (Rgb{100, 100, 100}));
}

TEST(ChartColour, ColumnsRampFromTheDarkenedColourAndLightenTheLeftHalf) {
  const Rgb steps{247, 198, 0};
  struct Case {
    int k;
    bool shaded;
    Rgb expected;
  };
  const Case cases[] = {
      {26, true, steps},           // the right edge is the colour itself
      {20, true, {227, 178, 20}},  // right half: plain ramp, truncating (-66.15 -> -66)
      {2, false, {167, 118, 80}},  // left half unshaded
      {2, true, {218, 197, 181}},  // left half shaded: 42 % of the way from white
      {12, true, {204, 159, 63}},  // last shaded column (k < 13), p = 92
      {13, true, {204, 155, 43}},  // first plain column
      {20, false, {227, 178, 20}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColumnColour(steps, c.k, 26, c.shaded), c.expected) << "k=" << c.k << " shaded=" << c.shaded;
  }
}

}  // namespace
}  // namespace tempovia
