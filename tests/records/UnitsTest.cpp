#include <gtest/gtest.h>

#include <limits>

#include "records/Units.h"

namespace tempovia {
namespace {

TEST(Units, HeightTextRoundsAndCarriesTwelveInchesIntoTheFeet) {
  struct Case {
    double cm;
    bool imperial;
    const char* text;
  };
  const Case cases[] = {
      {180, true, "5'11\""},   // 70.866 in: 10.866 + 0.5 truncates to 11
      {182.8, true, "6'0\""},  // 71.97 in: the rest 12 becomes a foot
      {175.26, true, "5'9\""}, {100, true, "3'3\""},   {240, true, "7'10\""}, {180, false, "180"},
      {179.5, false, "180"},   {179.49, false, "179"}, {0, false, ""},        {-3, true, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HeightText(c.cm, c.imperial), c.text) << c.cm;
}

// A user.dat from elsewhere may hold anything in its doubles.
TEST(Units, WildStoredValuesShowAsUnsetOrAtTheLimit) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(HeightText(nan, false), "");
  EXPECT_EQ(HeightText(nan, true), "");
  EXPECT_EQ(WeightText(nan, true), "");
  EXPECT_EQ(HeightText(1e300, false), "2147483647");
  EXPECT_EQ(WeightText(1e300, false), "2147483647");
  EXPECT_FALSE(HeightText(1e300, true).empty());
}

TEST(Units, WeightTextIsWholePoundsOrKilograms) {
  EXPECT_EQ(WeightText(70, true), "154");
  EXPECT_EQ(WeightText(220, true), "485");
  EXPECT_EQ(WeightText(69.5, false), "70");
  EXPECT_EQ(WeightText(0, true), "");
}

TEST(Units, CountAndUnitLabels) {
  EXPECT_EQ(CountText(42), "42");
  EXPECT_EQ(CountText(0), "");
  EXPECT_EQ(LengthUnitLabel(true), "");
  EXPECT_EQ(LengthUnitLabel(false), "cm");
  EXPECT_EQ(WeightUnitLabel(true), "Pound");
  EXPECT_EQ(WeightUnitLabel(false), "kg");
}

TEST(Units, ConversionFactors) {
  EXPECT_DOUBLE_EQ(KmToMiles(10), 6.214);
  EXPECT_DOUBLE_EQ(InchesToCm(70), 177.8);
  EXPECT_DOUBLE_EQ(PoundsToKg(154), 154 / 2.205);
  EXPECT_NEAR(FeetToCm(CmToFeet(175.26)), 175.26, 1e-9);
}

}  // namespace
}  // namespace tempovia
