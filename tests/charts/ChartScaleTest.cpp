#include <gtest/gtest.h>

#include "charts/ChartScale.h"

namespace tempovia {
namespace {

// The main window's chart: 880 by 290 with ten bands.
constexpr Box kClient{0, 0, 880, 290};

ChartGrid TenBands() {
  ChartGrid grid;
  grid.horizontalLines = 10;
  return grid;
}

std::vector<std::string> Texts(const std::vector<ScaleLabel>& labels) {
  std::vector<std::string> texts;
  for (const ScaleLabel& label : labels) texts.push_back(label.text);
  return texts;
}

TEST(ChartScale, BandsStepUpFromAboveTheFloor) {
  EXPECT_EQ(BandSpacing(TenBands(), kClient), 21);  // (290 - 75) / 10
  const std::vector<int> tops = BandTops(TenBands(), kClient);
  ASSERT_EQ(tops.size(), 11u);
  EXPECT_EQ(tops.front(), 221);  // 290 - 45 - 24
  EXPECT_EQ(tops.back(), 11);
  EXPECT_EQ(BandSpacing(ChartGrid{}, kClient), 10);  // no count: the default spacing
  ChartGrid dense;
  dense.horizontalLines = 1000;
  EXPECT_EQ(BandSpacing(dense, kClient), 1);  // never 0
}

TEST(ChartScale, LabelsSitOnOddPositionsThreePixelsTighterThanTheBands) {
  const std::vector<ScaleLabel> labels = ScaleLabels(TenBands(), kClient, 22000, 0, true);
  std::vector<int> ys;
  std::vector<int> indexes;
  for (const ScaleLabel& label : labels) {
    ys.push_back(label.y);
    indexes.push_back(label.index);
  }
  EXPECT_EQ(indexes, (std::vector<int>{1, 3, 5, 7, 9, 11}));
  EXPECT_EQ(ys, (std::vector<int>{203, 167, 131, 95, 59, 23}));
  EXPECT_EQ(Texts(labels), (std::vector<std::string>{"2000", "6000", "10000", "14000", "18000", "22000"}));
}

TEST(ChartScale, LabelTextsFollowTheSizeOfTheStep) {
  struct Case {
    const char* what;
    double maximum, base;
    bool integer;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"all zeros scale with 1; only the first 0 stays", 0, 0, true, {"0", "", "", "", "", "1"}},
      {"all zeros, real values", 0, 0, false, {"0.09", "0.27", "0.45", "0.64", "0.82", "1.00"}},
      {"heart rate above a base of 50", 180, 50, true, {"61", "85", "109", "132", "156", "180"}},
      {"millions", 22e6, 0, true, {"2.0e+6", "6.0e+6", "10.0e+6", "14.0e+6", "18.0e+6", "22.0e+6"}},
      {"real values switch to whole numbers from 10", 55.5, 0, false, {"5.05", "15", "25", "35", "45", "56"}},
      {"beyond what a watch counts",
       1.1e300,
       0,
       true,
       {"1.0e+299", "3.0e+299", "5.0e+299", "7.0e+299", "9.0e+299", "1.1e+300"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Texts(ScaleLabels(TenBands(), kClient, c.maximum, c.base, c.integer)), c.texts) << c.what;
  }
}

TEST(ChartScale, CrowdedBandsStillEndTheScale) {
  ChartGrid dense;
  dense.horizontalLines = 100;  // bands of 2 pixels
  const std::vector<ScaleLabel> labels = ScaleLabels(dense, kClient, 100, 0, true);
  ASSERT_FALSE(labels.empty());
  EXPECT_GE(labels.back().y, 5);
}

}  // namespace
}  // namespace tempovia
