#include <gtest/gtest.h>

#include "charts/TipPlacement.h"

namespace tempovia {
namespace {

TEST(TipPlacement, TipGoesBelowRightOfTheCursorAndStaysOnTheScreen) {
  const Box screen{0, 0, 800, 600};
  struct Case {
    const char* what;
    int x, y;
    Box expected;
  };
  const Case cases[] = {
      {"plain", 100, 100, {110, 120, 160, 100}},
      {"near the right edge: 4 pixels inside it", 750, 100, {636, 120, 160, 100}},
      {"exactly fitting stays", 630, 100, {640, 120, 160, 100}},
      {"near the bottom: on the bottom edge", 100, 550, {110, 500, 160, 100}},
      {"in the corner", 790, 590, {636, 500, 160, 100}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceTip(c.x, c.y, kTipWidth, kTipHeight, screen), c.expected) << c.what;
  // A second screen to the right of the first.
  EXPECT_EQ(PlaceTip(1900, 10, kTipWidth, kTipHeight, {1024, 0, 1000, 700}), (Box{1860, 30, 160, 100}));
}

TEST(TipPlacement, TextSplitsIntoHeaderAndLines) {
  EXPECT_EQ(TipLines("05-Mar-2008\n1234\n"), (std::vector<std::string>{"05-Mar-2008", "1234"}));
  EXPECT_EQ(TipLines("d\nMin, Ave, Max\n60, 80, 120\n"),
            (std::vector<std::string>{"d", "Min, Ave, Max", "60, 80, 120"}));
  EXPECT_EQ(TipLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(TipLines("no line end").empty());
  EXPECT_TRUE(TipLines("").empty());
}

}  // namespace
}  // namespace tempovia
