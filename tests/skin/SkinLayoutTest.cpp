#include <gtest/gtest.h>

#include "skin/SkinLayout.h"

namespace tempovia {
namespace {

TEST(SkinLayout, EveryMainAreaAnswersOnAllFourCornersAndNotJustOutside) {
  for (int area = 0; area < kMainAreaCount; ++area) {
    const HitRect& r = kMainAreas[area];
    const ChartKind kind =
        area == kAreaTableUp || area == kAreaTableDown ? ChartKind::ExerciseWalking : ChartKind::Steps;
    SCOPED_TRACE(area);
    EXPECT_EQ(MainHitTest(r.left, r.top, kind), area);
    EXPECT_EQ(MainHitTest(r.right, r.bottom, kind), area);  // edges are inside
    EXPECT_EQ(MainHitTest(r.left, r.bottom, kind), area);
    EXPECT_EQ(MainHitTest(r.right, r.top, kind), area);
    EXPECT_NE(MainHitTest(r.left - 1, r.top, kind), area);
    EXPECT_NE(MainHitTest(r.right + 1, r.bottom, kind), area);
    EXPECT_NE(MainHitTest(r.left, r.bottom + 1, kind), area);
  }
}

TEST(SkinLayout, KindFilterTurnsForeignAreasIntoPlainBackground) {
  struct Case {
    int x, y;
    ChartKind kind;
    int expected;
  };
  const Case cases[] = {
      {910, 430, ChartKind::Steps, kAreaWeekly},
      {910, 430, ChartKind::ExerciseWalking, kAreaNone},  // WEEKLY is not on the table skin
      {910, 610, ChartKind::ExerciseWalking, kAreaNone},  // nor the previous arrow
      {960, 520, ChartKind::HeartRate, kAreaNone},        // table arrows exist only for the table
      {960, 520, ChartKind::ExerciseWalking, kAreaTableUp},
      // YEARLY overlaps the down arrow's top rows: each skin answers with its own button.
      {960, 556, ChartKind::Distance, kAreaYearly},
      {960, 556, ChartKind::ExerciseWalking, kAreaTableDown},
      {100, 200, ChartKind::ExerciseWalking, kAreaDistanceRow},
      {100, 186, ChartKind::Steps, kAreaNone},  // the line between two rows
      {0, 0, ChartKind::Steps, kAreaNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MainHitTest(c.x, c.y, c.kind), c.expected) << c.x << "," << c.y;
  }
}

TEST(SkinLayout, LoginRectanglesAreTestedInOrder) {
  EXPECT_EQ(LoginHitTest(816, 265), kLoginLogIn);
  EXPECT_EQ(LoginHitTest(932, 390), kLoginDeleteUser);
  EXPECT_EQ(LoginHitTest(813, 172), kLoginPreviousUser);
  EXPECT_EQ(LoginHitTest(814, 160), kLoginNone);  // between the arrow and the name
  EXPECT_EQ(LoginHitTest(949, 149), kLoginNextUser);
  EXPECT_EQ(LoginHitTest(880, 220), kLoginPasswordBox);
  // The generic test returns the first of two overlapping rectangles.
  const HitRect overlapping[] = {{0, 0, 10, 10}, {5, 5, 20, 20}};
  EXPECT_EQ(HitTest(overlapping, 7, 7), 0);
  EXPECT_EQ(HitTest(overlapping, 15, 15), 1);
}

TEST(SkinLayout, ExerciseCellsFitTheWindowAndDoNotOverlap) {
  for (int c = 0; c < kExerciseColumns; ++c) {
    const Box cell = ExerciseCellBox(kExerciseRows - 1, c);
    EXPECT_LE(cell.Right(), kMainWidth);
    EXPECT_LE(cell.Bottom(), kMainHeight);
    if (c > 0) {
      EXPECT_GE(cell.x, ExerciseCellBox(0, c - 1).Right()) << c;
    }
  }
  EXPECT_EQ(ExerciseCellBox(2, 3), (Box{293, 503, 65, 20}));
  EXPECT_EQ(UserValueBox(7), (Box{723, 290, 95, 20}));
}

}  // namespace
}  // namespace tempovia
