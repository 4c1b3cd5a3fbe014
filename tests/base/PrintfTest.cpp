#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/Printf.h"

namespace tempovia {
namespace {

TEST(Printf, FormatsTextsOfAnyLength) {
  EXPECT_EQ(Printf("Page %d", 3), "Page 3");
  EXPECT_EQ(Printf("%0.02f", 4.5), "4.50");
  const std::string name(300, 'W');
  EXPECT_EQ(Printf("%s!", name.c_str()), name + "!");
  EXPECT_EQ(Printf("%s", ""), "");
}

TEST(Printf, CountedNamesOneThingInTheSingular) {
  EXPECT_EQ(Counted(1, "entry", "entries"), "1 entry");
  EXPECT_EQ(Counted(0, "entry", "entries"), "0 entries");
  EXPECT_EQ(Counted(2, "byte", "bytes"), "2 bytes");
}

// Stored doubles come from files written elsewhere; none of them may turn
// into undefined behaviour on the way to "%d".
TEST(Printf, TruncateToIntTruncatesTowardZeroAndClampsWildValues) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const struct {
    double in;
    int out;
  } cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {0, 0},
      {2147483647.0, kMax},
      {1e300, kMax},
      {-1e300, kMin},
      {std::numeric_limits<double>::infinity(), kMax},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TruncateToInt(c.in), c.out) << c.in;
}

// The tool's tables stay a table whatever a foreign file stores.
TEST(Printf, FigureTextKeepsAnyStoredFigureShort) {
  EXPECT_EQ(FigureText(8206, 0), "8206");
  EXPECT_EQ(FigureText(-1.5, 2), "-1.50");
  EXPECT_EQ(FigureText(999999999999.0, 0), "999999999999");
  EXPECT_EQ(FigureText(1e12, 0), "1.0e+12");
  EXPECT_EQ(FigureText(-1e300, 2), "-1.0e+300");
  EXPECT_EQ(FigureText(std::numeric_limits<double>::quiet_NaN(), 1), "0.0");
  EXPECT_EQ(FigureText(-std::numeric_limits<double>::infinity(), 0), "0");
}

}  // namespace
}  // namespace tempovia
