#include "calendar/CalendarLook.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "MarchDays.h"
#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "calendar/CalendarGeometry.h"
#include "skin/SkinLayout.h"
#include "store/StepData.h"

namespace tempovia {
namespace {

TEST(CalendarGeometry, CellsTakeWholePixelsAndTheLastRowAndColumnReachTheEdges) {
  const CalendarGeometry g(704, 485, 40);  // 4 pixels left over across, 1 down
  EXPECT_EQ(g.ColumnWidth(), 100);
  EXPECT_EQ(g.RowHeight(), 74);
  EXPECT_EQ(g.CellRect(0, 0), (PixelRect{0, 40, 100, 114}));
  EXPECT_EQ(g.CellRect(2, 3), (PixelRect{300, 188, 400, 262}));
  EXPECT_EQ(g.CellRect(5, 6), (PixelRect{600, 410, 704, 485}));
  EXPECT_EQ(g.CellRect(1, 6).right, 704);
  EXPECT_EQ(g.CellRect(5, 0).bottom, 485);

  struct Case {
    int x, y, cell;
  } cases[] = {
      {0, 40, 0},     {99, 113, 0},   {100, 40, 1},  {0, 114, 7},
      {650, 300, 27}, {703, 484, 41},  // the widened strips answer as the last column and row
      {0, 39, -1},    {-1, 50, -1},   {704, 50, -1}, {10, 485, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(g.CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;

  // A control too small for its header has no cells to click.
  const CalendarGeometry tiny(6, 30, 40);
  EXPECT_EQ(tiny.RowHeight(), 0);
  EXPECT_EQ(tiny.CellAt(3, 35), -1);
}

TEST(CalendarLook, ShadingFromDarkToLight) {
  EXPECT_EQ(Shade(0), (Rgb{180, 205, 255}));
  EXPECT_EQ(Shade(70), (Rgb{232, 239, 255}));
  EXPECT_EQ(Shade(100), (Rgb{255, 255, 255}));
  EXPECT_EQ(Shade(3), (Rgb{182, 206, 255}));
  // A 40-pixel header: its bottom line darkest, its top line Shade(78).
  EXPECT_EQ(HeaderLineColour(0, 40), Shade(0));
  EXPECT_EQ(HeaderLineColour(39, 40), Shade(78));
  EXPECT_EQ(HeaderLineColour(39, 40), (Rgb{238, 243, 255}));
  EXPECT_EQ(TodayBandLineColour(29), Shade(87));
}

TEST(CalendarLook, WeekdayNamesAreCutToThreeLettersWhenAnyIsTooWide) {
  const std::array<std::string, 7> names{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  const auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(FitWeekdayNames(names, width, 90), names);  // "Wednesday" fits exactly
  EXPECT_EQ(FitWeekdayNames(names, width, 89),
            (std::array<std::string, 7>{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
}

TEST(CalendarLook, DayPictureIsScaledToFitBelowTheTexts) {
  // 70 x 134 into 96 x 46: the height decides.
  EXPECT_EQ(DataPictureRect({3, 26, 99, 72}, 70, 134), (PixelRect{3, 26, 27, 72}));
  // Into a wide, tall area the picture grows until one side fits.
  EXPECT_EQ(DataPictureRect({0, 0, 140, 1000}, 70, 134), (PixelRect{0, 0, 140, 268}));
  EXPECT_FALSE(DataPictureRect({3, 26, 99, 26}, 70, 134).has_value());
  EXPECT_FALSE(DataPictureRect({3, 26, 2, 60}, 70, 134).has_value());
}

// March 2008 with today the 15th, in a 700 x 478 control with a 40-pixel header.
class CalendarLookTest : public ::testing::Test {
 protected:
  CalendarLookTest() : clock(LocalDateTime::From(2008, 3, 15, 9, 0, 0)), calendar(clock) {
    calendar.SetHeaderHeight(40);
    calendar.SetClientSize(700, 478);
  }
  const CalendarCellLook& Cell(const CalendarLook& look, Date date) {
    const int i = calendar.CellOf(DayKey(date));
    EXPECT_GE(i, 0);
    return look.cells[static_cast<std::size_t>(std::max(i, 0))];
  }

  FakeClock clock;
  CalendarModel calendar;
};

TEST_F(CalendarLookTest, MonthsAlternateAroundTodaysMonthWhichIsLight) {
  CalendarLook look = LookOf(calendar, nullptr, true);
  EXPECT_EQ(Cell(look, MakeDate(2008, 2, 28)).background, kCalendarOtherMonths);
  EXPECT_EQ(Cell(look, MakeDate(2008, 3, 1)).background, kCalendarShownMonths);
  EXPECT_EQ(Cell(look, MakeDate(2008, 4, 2)).background, kCalendarOtherMonths);
  // An even month shown by GoToToday is light too.
  clock.Set(LocalDateTime::From(2008, 6, 10));
  calendar.GoToToday();
  look = LookOf(calendar, nullptr, true);
  EXPECT_EQ(Cell(look, MakeDate(2008, 6, 1)).background, kCalendarShownMonths);
  EXPECT_EQ(Cell(look, MakeDate(2008, 7, 1)).background, kCalendarOtherMonths);
  // 1 June 2008 is a Sunday: row 0, column 0, with its abbreviation.
  EXPECT_EQ(look.cells[0].date, MakeDate(2008, 6, 1));
  EXPECT_EQ(look.cells[0].monthText, "Jun");
  EXPECT_EQ(look.weekdays[0], "Sunday");
  EXPECT_EQ(look.weekdays[6], "Saturday");
}

TEST_F(CalendarLookTest, TodaySelectionTextsAndGridLines) {
  calendar.SetMaxSelection(3);
  const int x = 3 * 100 + 50;  // Wednesday 12 March: row 2, column 3
  calendar.Press(x, 40 + 2 * 73 + 5, {});
  calendar.Move(x + 200, 40 + 2 * 73 + 5);  // to Friday 14th
  const CalendarLook look = LookOf(calendar, nullptr, true);

  const CalendarCellLook& today = Cell(look, MakeDate(2008, 3, 15));
  EXPECT_TRUE(today.today);
  EXPECT_FALSE(today.selected);
  const CalendarCellLook& twelfth = Cell(look, MakeDate(2008, 3, 12));
  EXPECT_TRUE(twelfth.selected);
  EXPECT_EQ(twelfth.selectionRect, twelfth.rect);
  EXPECT_EQ(twelfth.dayText, "12");
  EXPECT_EQ(twelfth.dayColour, kCalendarSelectedNumber);
  EXPECT_TRUE(twelfth.monthText.empty());
  EXPECT_EQ(twelfth.textRect, (PixelRect{301, 187, 399, 258}));
  EXPECT_EQ(twelfth.pictureArea, (PixelRect{303, 212, 399, 258}));
  EXPECT_EQ(twelfth.noteRect, (PixelRect{301, 228, 399, 258}));
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 11)).selected);
  EXPECT_EQ(Cell(look, MakeDate(2008, 3, 11)).dayColour, kBlack);
  EXPECT_EQ(Cell(look, MakeDate(2008, 3, 1)).dayText, "01");
  EXPECT_EQ(Cell(look, MakeDate(2008, 3, 1)).monthText, "Mar");
  EXPECT_EQ(look.cells[0].monthText, "Feb");  // the top-left cell names its month

  // Today selected: the fill starts below its band and the number stays black.
  calendar.GoToToday();
  const CalendarLook afterToday = LookOf(calendar, nullptr, true);
  const CalendarCellLook& selectedToday = Cell(afterToday, MakeDate(2008, 3, 15));
  EXPECT_TRUE(selectedToday.selected);
  EXPECT_EQ(selectedToday.selectionRect.top, selectedToday.rect.top + 30);
  EXPECT_EQ(selectedToday.dayColour, kBlack);

  EXPECT_EQ(look.verticalLines, (std::vector<int>{100, 200, 300, 400, 500, 600}));
  EXPECT_EQ(look.horizontalLines, (std::vector<int>{40, 113, 186, 259, 332, 405}));
  ASSERT_EQ(look.headerLines.size(), 40u);
  EXPECT_EQ(look.weekdayRects[6], (PixelRect{600, 0, 700, 40}));
}

TEST_F(CalendarLookTest, MultiSelectionAndItsFocus) {
  calendar.SetMaxSelection(2);
  const int y = 40 + 2 * 73 + 5;
  calendar.Release(150, y, {.ctrl = true});  // Monday 10th
  calendar.Release(450, y, {.ctrl = true});  // Thursday 13th
  const CalendarLook look = LookOf(calendar, nullptr, true);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 10)).selected);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 13)).selected);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 11)).selected);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 15)).selected);  // today, no longer the selection
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 10)).focus);
  const CalendarCellLook& focus = Cell(look, MakeDate(2008, 3, 13));
  EXPECT_TRUE(focus.focus);
  EXPECT_EQ(focus.focusRect, (PixelRect{402, 188, 499, 258}));
}

TEST_F(CalendarLookTest, DaysOutsideTheRangeArePink) {
  calendar.SetViewDate(MakeDate(2000, 1, 1), false);
  CalendarLook look = LookOf(calendar, nullptr, true);
  EXPECT_TRUE(Cell(look, MakeDate(1999, 12, 31)).outOfRange);
  EXPECT_TRUE(look.cells[0].outOfRange);
  EXPECT_FALSE(Cell(look, MakeDate(2000, 1, 1)).outOfRange);
  calendar.SetViewDate(MakeDate(2035, 12, 31), false);
  look = LookOf(calendar, nullptr, true);
  EXPECT_FALSE(Cell(look, MakeDate(2035, 12, 31)).outOfRange);
  EXPECT_TRUE(Cell(look, MakeDate(2036, 1, 1)).outOfRange);
  EXPECT_TRUE(look.cells[41].outOfRange);
}

TEST_F(CalendarLookTest, StoredDaysShowThePictureAndNotes) {
  test::TempDir folder;
  StepData steps;
  OpenStepFileDays days(steps);
  ASSERT_TRUE(steps.Open(folder / "100.dat"));
  test::StoreMarchDay(steps, 3, 8500, "");
  test::StoreMarchDay(steps, 4, 0, "Rest day");
  test::StoreMarchDay(steps, 5, 4200, "Park");
  test::StoreMarchDay(steps, 6, 0, "");

  CalendarLook look = LookOf(calendar, &days, true);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 3)).picture);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 3)).note);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 4)).picture);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 4)).note);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 5)).picture);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 5)).note);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 6)).picture);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 7)).picture);

  look = LookOf(calendar, &days, false);  // no pictures set: notes only
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 3)).picture);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 5)).note);
  steps.Close();
  look = LookOf(calendar, &days, true);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 5)).note);
  look = LookOf(calendar, nullptr, true);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 5)).picture);
}

TEST_F(CalendarLookTest, DaysThatMetTheStepGoalAreMarkedBesideTheirPicture) {
  test::TempDir folder;
  StepData steps;
  ASSERT_TRUE(steps.Open(folder / "100.dat"));
  test::StoreMarchDay(steps, 3, 8500, "");
  test::StoreMarchDay(steps, 4, 7999, "");
  test::StoreMarchDay(steps, 5, 8000, "Park");
  OpenStepFileDays noGoal(steps);
  CalendarLook look = LookOf(calendar, &noGoal, true);
  for (const CalendarCellLook& cell : look.cells) EXPECT_FALSE(cell.goalMet) << "no goal, no marks";

  OpenStepFileDays goal(steps, 8000);
  look = LookOf(calendar, &goal, true);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 3)).goalMet);
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 4)).goalMet);
  EXPECT_TRUE(Cell(look, MakeDate(2008, 3, 5)).goalMet) << "exactly the goal meets it";
  EXPECT_FALSE(Cell(look, MakeDate(2008, 3, 6)).goalMet) << "no record";
  // Inside the cell, right of the picture, and clear of the day number.
  const CalendarCellLook& cell = Cell(look, MakeDate(2008, 3, 5));
  const std::optional<PixelRect> foot = DataPictureRect(cell.pictureArea, kDayPictureWidth, kDayPictureHeight);
  ASSERT_TRUE(foot.has_value());
  EXPECT_GT(cell.goalRect.left, foot->right);
  EXPECT_EQ(cell.goalRect.Width(), kGoalBadgeSize);
  EXPECT_GE(cell.goalRect.top, cell.textRect.top + kPictureTop);
  EXPECT_LE(cell.goalRect.bottom, cell.textRect.bottom);
  EXPECT_LT(cell.goalRect.right, cell.textRect.right - 40) << "room for \"Note\" at the right";
}

}  // namespace
}  // namespace tempovia
