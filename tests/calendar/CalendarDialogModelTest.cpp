#include "calendar/CalendarDialogModel.h"

#include <gtest/gtest.h>

#include "base/testing/FakeClock.h"
#include "calendar/CalendarModel.h"
#include "skin/SkinLayout.h"

namespace tempovia {
namespace {

class CalendarDialogModelTest : public ::testing::Test {
 protected:
  CalendarDialogModelTest() : clock(LocalDateTime::From(2026, 5, 20, 10, 0, 0)), calendar(clock), dialog(clock) {}

  FakeClock clock;
  CalendarModel calendar;
  CalendarDialogModel dialog;
};

TEST_F(CalendarDialogModelTest, HeaderAreasIncludeTheirEdges) {
  struct Case {
    int x, y, area;
  } cases[] = {
      {1, 1, kCalendarToday},       {143, 40, kCalendarToday},       {144, 20, kCalendarNone},
      {0, 20, kCalendarNone},       {273, 1, kCalendarPreviousYear}, {294, 36, kCalendarPreviousYear},
      {294, 37, kCalendarNone},     {350, 20, kCalendarNone},        {439, 10, kCalendarNextYear},
      {461, 36, kCalendarNextYear}, {462, 10, kCalendarNone},
  };
  for (const Case& c : cases) EXPECT_EQ(CalendarDialogModel::AreaAt(c.x, c.y), c.area) << c.x << "," << c.y;
  EXPECT_EQ(CalendarDialogModel::CalendarRect(700, 520), (PixelRect{0, 40, 700, 520}));
  EXPECT_TRUE(CalendarDialogModel::CalendarRect(700, 30).Empty());
}

TEST_F(CalendarDialogModelTest, YearArrowsStepWithinTwoThousandToTwentyThirtyFive) {
  EXPECT_EQ(dialog.ShownYear(), 2026);
  EXPECT_EQ(dialog.YearText(), "2026");
  EXPECT_TRUE(dialog.RunArea(kCalendarNextYear, calendar));
  EXPECT_EQ(dialog.YearText(), "2027");
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2027, 5, 1));  // the current month of that year

  dialog.ViewScrolled(MakeDate(2034, 2, 11));
  EXPECT_EQ(dialog.ShownYear(), 2034);
  EXPECT_TRUE(dialog.NextYear(calendar));
  EXPECT_EQ(dialog.ShownYear(), 2035);
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 5, 1));
  EXPECT_FALSE(dialog.NextYear(calendar));
  EXPECT_EQ(dialog.ShownYear(), 2035);
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 5, 1));

  dialog.ViewScrolled(MakeDate(2001, 12, 30));
  EXPECT_TRUE(dialog.RunArea(kCalendarPreviousYear, calendar));
  EXPECT_EQ(dialog.YearText(), "2000");
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2000, 5, 1));
  EXPECT_FALSE(dialog.PreviousYear(calendar));
  EXPECT_EQ(dialog.ShownYear(), 2000);
  EXPECT_FALSE(dialog.RunArea(kCalendarNone, calendar));
}

TEST_F(CalendarDialogModelTest, TodayKeepsTheShownYear) {
  dialog.PreviousYear(calendar);
  dialog.PreviousYear(calendar);
  calendar.Wheel(3);
  EXPECT_TRUE(dialog.RunArea(kCalendarToday, calendar));
  EXPECT_EQ(dialog.YearText(), "2026");
  EXPECT_EQ(dialog.ShownYear(), 2024);
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2026, 5, 1));
  EXPECT_EQ(DateOfDayKey(calendar.SelectionEnd()), MakeDate(2026, 5, 20));
  // The arrows go on from the shown year, not from the label.
  dialog.NextYear(calendar);
  EXPECT_EQ(dialog.YearText(), "2025");
}

}  // namespace
}  // namespace tempovia
