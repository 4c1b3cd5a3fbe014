#include <gtest/gtest.h>

#include "charts/BarList.h"

namespace tempovia {
namespace {

constexpr std::array<Rgb, 3> kColours{Rgb{133, 194, 39}, Rgb{247, 198, 0}, Rgb{216, 41, 24}};

BarList HeartRateList(std::initializer_list<std::array<double, 3>> bars) {
  BarList list;
  list.Style().mode = kHeartRateMode;
  for (const auto& values : bars) list.AddBar(values, "tip", "axis", kColours);
  return list;
}

TEST(BarList, HeartRateBarsAreOrderedByLoweringOthersKeepOneValue) {
  BarList heart = HeartRateList({{80, 70, 120}, {100, 120, 90}, {240, 0, 0}});
  EXPECT_EQ(heart.Bars()[0].values, (std::array<double, 3>{70, 70, 120}));
  // Lowering the average below the minimum leaves them unordered; the drawing corrects that.
  EXPECT_EQ(heart.Bars()[1].values, (std::array<double, 3>{100, 90, 90}));
  // A month without heart-rate days (minimum 240, the rest 0) becomes three zeros.
  EXPECT_EQ(heart.Bars()[2].values, (std::array<double, 3>{0, 0, 0}));
  EXPECT_EQ(heart.Maximum(), 120);

  BarList steps;
  steps.AddBar({5, 6000, 7000}, "a", "b", kColours);
  EXPECT_EQ(steps.Bars()[0].values, (std::array<double, 3>{5, 0, 0}));
  EXPECT_EQ(steps.Maximum(), 5);
  steps.RemoveAll();
  EXPECT_EQ(steps.Count(), 0);
  EXPECT_EQ(steps.Maximum(), 0);
  EXPECT_EQ(steps.ScaleMaximum(), 1);  // an empty or all-zero chart scales with 1
}

TEST(BarList, AccessorsOutsideTheListGiveTheNoBarValues) {
  BarList list;
  list.AddBar({3, 0, 0}, "Mon", "M", kColours);
  EXPECT_EQ(list.TipLabel(0), "Mon");
  EXPECT_EQ(list.TipLabel(1), "");
  EXPECT_EQ(list.TipLabel(-1), "");
  EXPECT_EQ(list.Value(0, 0), 3);
  EXPECT_EQ(list.Value(1, 0), -1);
  EXPECT_EQ(list.Colour(0, 2), kColours[2]);
  EXPECT_EQ(list.Colour(5, 0), kBlack);
}

TEST(BarList, BarsAreCentredOnTheSurface) {
  BarList list;
  list.Style().barWidth = 26;
  list.Style().barGap = 50;
  for (int i = 0; i < 7; ++i) list.AddBar({1, 0, 0}, "", "", kColours);
  EXPECT_EQ(list.TotalWidth(), 532);
  EXPECT_DOUBLE_EQ(list.CentringOffset(880), 179);
  EXPECT_EQ(list.BarLeft(0, 880), 189);  // 10 + (880 - 532 + 10) / 2
  EXPECT_EQ(list.BarLeft(6, 880), 189 + 6 * 76);

  BarList month;
  month.Style().barWidth = 22;
  month.Style().barGap = 3;
  for (int i = 0; i < 31; ++i) month.AddBar({1, 0, 0}, "", "", kColours);
  EXPECT_DOUBLE_EQ(month.CentringOffset(880), 57.5);
  EXPECT_EQ(month.BarLeft(0, 880), 67);  // the offset is truncated
}

TEST(BarList, OrdinaryHeightsScaleToTheMaximumAndLoseTheDepthIn3D) {
  BarList list;
  list.AddBar({10000, 0, 0}, "", "", kColours);
  list.AddBar({0, 0, 0}, "", "", kColours);
  EXPECT_EQ(list.OrdinaryHeight(10000, 290), 205 - 12);
  EXPECT_EQ(list.OrdinaryHeight(5000, 290), 102 - 12);  // 102.5 truncated
  EXPECT_EQ(list.OrdinaryHeight(0, 290), -12);          // the top face rests on the floor
  list.Style().threeD = false;
  EXPECT_EQ(list.OrdinaryHeight(10000, 290), 205);
}

TEST(BarList, HeartRateBaseIsRaisedAndSnapped) {
  struct Case {
    std::initializer_list<std::array<double, 3>> bars;
    double nonZeroMinimum;
    double base;
  };
  const Case cases[] = {
      {{{60, 90, 150}, {70, 100, 180}}, 60, 0},       // 60 - 60 = 0
      {{{120, 140, 170}, {125, 150, 180}}, 120, 50},  // 90 snaps to 50
      {{{150, 160, 170}, {0, 0, 0}}, 150, 100},       // 140 snaps to 100; zeros do not count
      {{{120, 130, 160}}, 120, 100},                  // exactly 100 stays
      {{{220, 225, 230}}, 220, 215},                  // above 200 nothing snaps
      {{{30, 40, 50}}, 30, 0},                        // a maximum of 50 or less keeps the floor at 0
      {{{0, 0, 100}}, 100, 0},                        // nothing below the maximum: m = M, base 0
      {{{0, 0, 0}}, 1, 0},                            // all zeros: maximum 1
  };
  for (const Case& c : cases) {
    const BarList list = HeartRateList(c.bars);
    const HeartRateBaseline baseline = list.HeartRateBase();
    EXPECT_DOUBLE_EQ(baseline.nonZeroMinimum, c.nonZeroMinimum);
    EXPECT_DOUBLE_EQ(baseline.base, c.base) << "m=" << c.nonZeroMinimum;
    EXPECT_DOUBLE_EQ(list.Base(), c.base);
  }
  BarList ordinary;
  ordinary.AddBar({120, 0, 0}, "", "", kColours);
  ordinary.AddBar({180, 0, 0}, "", "", kColours);
  EXPECT_EQ(ordinary.Base(), 0);  // only heart-rate charts raise the floor
}

TEST(BarList, HeartRateHeightsAreOrderedAndClamped) {
  BarList list = HeartRateList({{60, 80, 120}, {100, 120, 90}, {0, 0, 0}});
  list.AddBar({60, 90, 180}, "", "", kColours);
  list.Style().valueLabels = false;
  list.Style().axisLabels = false;
  EXPECT_EQ(list.HeartRateScale(290), 225);
  // 60, 80, 120 of 180 on 225 pixels: 75, 100, 150; minus 12 for the depth and 2.
  const HeartRateHeights first = list.HeartRateBarHeights(0, 0, 290);
  EXPECT_EQ(first.minimum, 61);
  EXPECT_EQ(first.average, 86);
  EXPECT_EQ(first.maximum, 136);
  EXPECT_FALSE(first.corrected);
  const HeartRateHeights second = list.HeartRateBarHeights(1, 0, 290);
  EXPECT_TRUE(second.corrected);  // stored as 100, 90, 90
  EXPECT_EQ(second.minimum, second.average);
  const HeartRateHeights zero = list.HeartRateBarHeights(2, 50, 290);
  EXPECT_EQ(zero.minimum, 0);  // below the base: clamped at the floor
  EXPECT_EQ(zero.maximum, 0);
  list.Style().valueLabels = true;
  list.Style().axisLabels = true;
  EXPECT_EQ(list.HeartRateScale(290), 205);
}

TEST(BarList, TipIndexTruncatesTowardZero) {
  BarList list;
  list.Style().barWidth = 26;
  list.Style().barGap = 50;
  for (int i = 0; i < 7; ++i) list.AddBar({1, 0, 0}, "", "", kColours);
  // s = 880 / 890; bar 0's slot starts at 179 s + 25 = 201.99 and is 75.15 wide.
  struct Case {
    int x;
    int expected;
  };
  const Case cases[] = {{202, 0}, {190, 0}, {127, 0}, {126, -1}, {278, 1}, {728, 6}, {729, -1}, {870, -1}, {0, -1}};
  for (const Case& c : cases) EXPECT_EQ(list.TipIndex(c.x, 880), c.expected) << "x=" << c.x;
  EXPECT_EQ(BarList().TipIndex(400, 880), -1);
}

TEST(BarList, TipTextFollowsTheModeAndFormat) {
  BarList list;
  list.AddBar({1234.7, 0, 0}, "05-Mar-2008", "Wed", kColours);
  list.AddBar({4000, 0, 0}, "06-Mar-2008", "Thu", kColours);
  EXPECT_EQ(list.TipText(0), "05-Mar-2008\n1234\n");
  list.Style().integerValues = false;
  EXPECT_EQ(list.TipText(0), "05-Mar-2008\n1234.70\n");
  list.Style().percentLine = true;
  EXPECT_EQ(list.TipText(1), "06-Mar-2008\n4000.00\n100.00%\n");
  EXPECT_EQ(list.TipText(2), "");

  BarList heart = HeartRateList({{60.9, 80.2, 120.99}});
  EXPECT_EQ(heart.TipText(0), "tip\nMin, Ave, Max\n60, 80, 120\n");

  BarList zeros;
  zeros.Style().percentLine = true;
  zeros.AddBar({0, 0, 0}, "d", "", kColours);
  EXPECT_EQ(zeros.TipText(0), "d\n0\n0.00%\n");  // no division by a zero maximum
}

TEST(BarList, ValueLabelsUseTheLabelKind) {
  BarList list;
  list.AddBar({200, 0, 0}, "", "", kColours);
  EXPECT_EQ(list.ValueLabel(1234.5), "1234");
  list.Style().integerValues = false;
  EXPECT_EQ(list.ValueLabel(3.456), "3.46");
  EXPECT_EQ(list.ValueLabel(1234.5), "1234");  // large values print whole
  list.Style().valueLabelKind = 0;
  EXPECT_EQ(list.ValueLabel(50), "25.0%");
}

}  // namespace
}  // namespace tempovia
