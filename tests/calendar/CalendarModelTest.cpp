#include "calendar/CalendarModel.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/testing/FakeClock.h"
#include "calendar/CalendarOwner.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

struct Point {
  int x;
  int y;
};

class RecordingOwner final : public CalendarOwner {
 public:
  void ViewScrolled(Date viewDate) override { scrolled.push_back(viewDate); }
  void DayDoubleClicked(const LocalDateTime& day) override { picked.push_back(day); }

  std::vector<Date> scrolled;
  std::vector<LocalDateTime> picked;
};

// The calendar as the dialog sizes it: 7 columns of 100 and 6 rows of 73
// pixels under a 40-pixel header.
class CalendarModelTest : public ::testing::Test {
 protected:
  explicit CalendarModelTest(LocalDateTime now = LocalDateTime::From(2008, 3, 15, 14, 30, 0))
      : clock(now), calendar(clock) {
    calendar.SetHeaderHeight(40);
    calendar.SetClientSize(700, 478);
    calendar.SetOwner(&owner);
  }

  // The middle of the cell at row r, column c.
  static Point Centre(int r, int c) { return {c * 100 + 50, 40 + r * 73 + 36}; }
  int CellOfDate(Date date) const { return calendar.CellOf(DayKey(date)); }
  Point CentreOf(Date date) const {
    const int cell = CellOfDate(date);
    EXPECT_GE(cell, 0) << FormatDate("%Y-%m-%d", date);
    return Centre(cell / 7, cell % 7);
  }
  void Press(Date d, CalendarModifiers m = {}) { calendar.Press(CentreOf(d).x, CentreOf(d).y, m); }
  void Move(Date d) { calendar.Move(CentreOf(d).x, CentreOf(d).y); }
  void Release(Date d, CalendarModifiers m = {}) { calendar.Release(CentreOf(d).x, CentreOf(d).y, m); }
  Date SelectionStart() const { return DateOfDayKey(calendar.SelectionStart()); }
  Date SelectionEnd() const { return DateOfDayKey(calendar.SelectionEnd()); }

  FakeClock clock;
  CalendarModel calendar;
  RecordingOwner owner;
};

TEST_F(CalendarModelTest, GridStartsOnTheFirstDayOfTheWeekBeforeTheViewDate) {
  // 1 June 2008 is a Sunday: it opens the grid at row 0, column 0.
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2008, 6, 1), false));
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 6, 1));
  EXPECT_EQ(calendar.CellDate(41), MakeDate(2008, 7, 12));
  // 1 March 2008 is a Saturday: the grid starts six days earlier.
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2008, 3, 1), false));
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 2, 24));
  EXPECT_EQ(calendar.CellDate(6), MakeDate(2008, 3, 1));

  calendar.SetFirstDayOfWeek(2);  // Monday
  calendar.Refresh();
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 2, 25));
  calendar.SetFirstDayOfWeek(4);  // Wednesday
  calendar.Refresh();
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 2, 27));
  for (int invalid : {0, 8, -3}) {
    calendar.SetFirstDayOfWeek(invalid);
    EXPECT_EQ(calendar.FirstDayOfWeek(), 1) << invalid;
  }
}

TEST_F(CalendarModelTest, ViewDatesOutsideTheRangeAreRefused) {
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2000, 1, 1), false));
  EXPECT_FALSE(calendar.InRange(calendar.CellDate(0)));  // Sunday 26 Dec 1999 is shown, but pink
  EXPECT_TRUE(calendar.SetViewDate(MakeDate(2035, 12, 31), false));
  const Date shown = calendar.CellDate(0);
  EXPECT_FALSE(calendar.SetViewDate(MakeDate(1999, 12, 31), false));
  EXPECT_FALSE(calendar.SetViewDate(MakeDate(2036, 1, 1), true));
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 12, 31));
  EXPECT_EQ(calendar.CellDate(0), shown);
}

TEST_F(CalendarModelTest, ResetSelectsTheViewDateAndPlacesTheScrollBarByWeeksFromToday) {
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2008, 6, 3), true));  // 80 days after today: 11 weeks
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 6, 3));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 6, 3));
  EXPECT_EQ(calendar.ScrollPosition(), 55 + 11);
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2008, 1, 1), true));  // 74 days before: whole weeks toward zero
  EXPECT_EQ(calendar.ScrollPosition(), 55 - 10);
  // The bar cannot show more than its range.
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2003, 1, 1), true));
  EXPECT_EQ(calendar.ScrollPosition(), 0);
  // Without reset neither the selection nor the bar move.
  ASSERT_TRUE(calendar.SetViewDate(MakeDate(2010, 1, 1), false));
  EXPECT_EQ(SelectionEnd(), MakeDate(2003, 1, 1));
  EXPECT_EQ(calendar.ScrollPosition(), 0);
}

TEST_F(CalendarModelTest, GoToTodayShowsTodaysMonthLightAndCentresTheBar) {
  calendar.SetViewDate(MakeDate(2003, 1, 1), true);
  calendar.GoToToday();
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2008, 3, 1));
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 15));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 15));
  EXPECT_EQ(calendar.ScrollPosition(), 55);
  EXPECT_TRUE(calendar.CurrentMonthOdd());
  // Left open over the turn of the month, Today shows April light.
  clock.Set(LocalDateTime::From(2008, 4, 1, 0, 0, 5));
  calendar.GoToToday();
  EXPECT_FALSE(calendar.CurrentMonthOdd());

  // A clock outside the range shows the nearest allowed month.
  clock.Set(LocalDateTime::From(2041, 5, 5));
  calendar.GoToToday();
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 12, 31));
  clock.Set(LocalDateTime::From(1998, 7, 1));
  calendar.GoToToday();
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2000, 1, 1));
  EXPECT_TRUE(calendar.CurrentMonthOdd());
}

TEST_F(CalendarModelTest, PressAndDragSelectWithinTheMaximumSelection) {
  Press(MakeDate(2008, 3, 10));
  EXPECT_TRUE(calendar.Dragging());
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 10));
  Move(MakeDate(2008, 3, 13));
  // One day at most: the start follows the end.
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 13));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 13));
  Release(MakeDate(2008, 3, 13));
  EXPECT_FALSE(calendar.Dragging());

  calendar.SetMaxSelection(3);
  Press(MakeDate(2008, 3, 10));
  Move(MakeDate(2008, 3, 20));
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 18));  // two days before the end, the side it was on
  Move(MakeDate(2008, 3, 5));
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 7));  // now after the end
  Move(MakeDate(2008, 3, 6));
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 7));  // within reach: unchanged
  EXPECT_TRUE(calendar.IsSelected(DayKey(MakeDate(2008, 3, 6))));
  EXPECT_TRUE(calendar.IsSelected(DayKey(MakeDate(2008, 3, 7))));
  EXPECT_FALSE(calendar.IsSelected(DayKey(MakeDate(2008, 3, 8))));
  // Released in the header: the end returns to the start.
  calendar.Release(150, 10, {});
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 7));
}

TEST_F(CalendarModelTest, PinkDaysTheHeaderAndCtrlPressesSelectNothing) {
  calendar.SetViewDate(MakeDate(2000, 1, 1), true);
  const std::int64_t before = calendar.SelectionEnd();
  Press(MakeDate(1999, 12, 31));
  EXPECT_FALSE(calendar.Dragging());
  calendar.Press(350, 20, {});   // the weekday header
  calendar.Press(350, 600, {});  // below the client area
  EXPECT_FALSE(calendar.Dragging());
  Press(MakeDate(2000, 1, 4), {.ctrl = true});
  EXPECT_FALSE(calendar.Dragging());
  EXPECT_EQ(calendar.SelectionEnd(), before);
  // A drag never reaches a pink day either.
  Press(MakeDate(2000, 1, 1));
  Move(MakeDate(1999, 12, 30));
  EXPECT_EQ(SelectionEnd(), MakeDate(2000, 1, 1));
}

TEST_F(CalendarModelTest, CtrlReleasesToggleDaysAndShiftCancelsCtrl) {
  calendar.SetMaxSelection(2);
  const CalendarModifiers ctrl{.ctrl = true};
  Release(MakeDate(2008, 3, 4), ctrl);
  Release(MakeDate(2008, 3, 6), ctrl);
  Release(MakeDate(2008, 3, 8), ctrl);  // already two: not added, but focused
  EXPECT_EQ(calendar.MultiSelection(),
            (std::set<std::int64_t>{DayKey(MakeDate(2008, 3, 4)), DayKey(MakeDate(2008, 3, 6))}));
  EXPECT_EQ(calendar.FocusDay(), DayKey(MakeDate(2008, 3, 8)));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 8));
  EXPECT_FALSE(calendar.IsSelected(DayKey(MakeDate(2008, 3, 5))));  // the multi-selection wins over the range
  Release(MakeDate(2008, 3, 4), ctrl);                              // toggled out
  EXPECT_EQ(calendar.MultiSelection().size(), 1u);

  // With Shift the same release is a plain one: the multi-selection goes.
  Release(MakeDate(2008, 3, 10), {.ctrl = true, .shift = true});
  EXPECT_TRUE(calendar.MultiSelection().empty());
  EXPECT_FALSE(calendar.FocusDay().has_value());
  // And a Ctrl+Shift press starts a drag as a plain press does.
  Press(MakeDate(2008, 3, 12), {.ctrl = true, .shift = true});
  EXPECT_TRUE(calendar.Dragging());
  // A drag ended with Ctrl held ends all the same.
  Release(MakeDate(2008, 3, 12), ctrl);
  EXPECT_FALSE(calendar.Dragging());
  Move(MakeDate(2008, 3, 20));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 12));
}

TEST_F(CalendarModelTest, DoubleClickTracesTheDayAndHandsItToTheOwnerAtMidnight) {
  TraceCapture trace;
  const Point point = CentreOf(MakeDate(2008, 4, 3));  // row 5, column 4
  EXPECT_TRUE(calendar.DoubleClick(point.x, point.y));
  ASSERT_EQ(owner.picked.size(), 1u);
  EXPECT_EQ(owner.picked[0], LocalDateTime::From(2008, 4, 3, 0, 0, 0));
  EXPECT_EQ(trace.Text(), "DBL_CLICK\nCoords: row(5) col(4)\nDate: Thursday, April 03, 2008");

  calendar.SetViewDate(MakeDate(2000, 1, 1), false);
  trace.Clear();
  const Point pink = CentreOf(MakeDate(1999, 12, 31));
  EXPECT_FALSE(calendar.DoubleClick(pink.x, pink.y));
  EXPECT_FALSE(calendar.DoubleClick(50, 10));
  EXPECT_EQ(owner.picked.size(), 1u);
  EXPECT_TRUE(trace.Text().empty());
}

TEST_F(CalendarModelTest, WheelMovesByWeeksInsideTheRangeWithoutTellingTheOwner) {
  calendar.Wheel(1);  // toward the user
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2008, 3, 8));
  EXPECT_EQ(calendar.ScrollPosition(), 56);
  calendar.Wheel(-3);
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2008, 2, 16));
  EXPECT_EQ(calendar.ScrollPosition(), 53);
  EXPECT_TRUE(owner.scrolled.empty());

  calendar.SetViewDate(MakeDate(2000, 1, 5), false);
  calendar.Wheel(-1);
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2000, 1, 5));
  EXPECT_EQ(calendar.ScrollPosition(), 53);
  calendar.SetViewDate(MakeDate(2035, 12, 20), false);
  calendar.Wheel(2);  // the first week is allowed, the second not
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 12, 27));
  EXPECT_EQ(calendar.ScrollPosition(), 54);
}

TEST_F(CalendarModelTest, ScrollBarMovesOneWeekPerActionAndTheThumbByItsDistance) {
  struct Case {
    CalendarScroll action;
    int weeks;
  } cases[] = {{CalendarScroll::LineDown, 1}, {CalendarScroll::PageDown, 1}, {CalendarScroll::Bottom, 1},
               {CalendarScroll::LineUp, -1},  {CalendarScroll::PageUp, -1},  {CalendarScroll::Top, -1}};
  for (const Case& c : cases) {
    calendar.GoToToday();
    owner.scrolled.clear();
    EXPECT_TRUE(calendar.Scroll(c.action));
    EXPECT_EQ(calendar.ViewDate(), AddDays(MakeDate(2008, 3, 1), 7 * c.weeks));
    EXPECT_EQ(calendar.ScrollPosition(), 55 + c.weeks);
    ASSERT_EQ(owner.scrolled.size(), 1u);
    EXPECT_EQ(owner.scrolled[0], calendar.ViewDate());
  }
  calendar.GoToToday();
  EXPECT_FALSE(calendar.Scroll(CalendarScroll::ThumbPosition, 0));
  // The thumb dragged to the top from today's month: 55 weeks back.
  EXPECT_TRUE(calendar.Scroll(CalendarScroll::ThumbTrack, 0));
  EXPECT_EQ(calendar.ViewDate(), AddDays(MakeDate(2008, 3, 1), -55 * 7));
  EXPECT_EQ(calendar.ScrollPosition(), 0);
  EXPECT_EQ(owner.scrolled.back(), MakeDate(2007, 2, 10));

  // A move that would leave the range is undone: view, bar and owner as before.
  calendar.SetViewDate(MakeDate(2000, 1, 3), false);
  owner.scrolled.clear();
  EXPECT_FALSE(calendar.Scroll(CalendarScroll::LineUp));
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2000, 1, 3));
  calendar.SetViewDate(MakeDate(2035, 12, 30), false);
  EXPECT_FALSE(calendar.Scroll(CalendarScroll::ThumbTrack, 20));
  EXPECT_EQ(calendar.ViewDate(), MakeDate(2035, 12, 30));
  EXPECT_EQ(calendar.ScrollPosition(), 0);
  EXPECT_TRUE(owner.scrolled.empty());
}

TEST_F(CalendarModelTest, ArrowsMoveTheSelectionAndScrollAtTheTopAndBottomRows) {
  // Grid of March 2008: 24 Feb .. 5 Apr.
  calendar.SetViewDate(MakeDate(2008, 3, 1), false);
  Press(MakeDate(2008, 3, 2));  // row 1, column 0
  calendar.Release(0, 0, {});
  calendar.Key(CalendarKey::Left);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 1));  // column 6 of the row above
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 3, 1));
  calendar.Key(CalendarKey::Right);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 2));
  calendar.Key(CalendarKey::Up);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 2, 24));
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 2, 24));  // still inside: no scroll
  calendar.Key(CalendarKey::Up);                           // above row 0: one week scrolled, the day stays in row 0
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 2, 17));
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 2, 17));
  EXPECT_EQ(calendar.ScrollPosition(), 54);
  calendar.Key(CalendarKey::Left);  // column 0 of row 0: the row above is scrolled in
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 2, 16));
  EXPECT_EQ(calendar.CellOf(calendar.SelectionEnd()), 6);

  calendar.SetViewDate(MakeDate(2008, 3, 1), false);
  Press(MakeDate(2008, 3, 30));  // row 5, column 0
  calendar.Release(0, 0, {});
  for (int i = 0; i < 3; ++i) calendar.Key(CalendarKey::Down);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 4, 20));
  EXPECT_EQ(calendar.CellOf(calendar.SelectionEnd()), 35);
  EXPECT_EQ(calendar.CellDate(0), MakeDate(2008, 3, 16));

  // At the ends of the range: a pink day or a refused scroll leaves the selection.
  calendar.SetViewDate(MakeDate(2000, 1, 1), false);
  Press(MakeDate(2000, 1, 1));
  calendar.Release(0, 0, {});
  calendar.Key(CalendarKey::Left);
  calendar.Key(CalendarKey::Up);
  EXPECT_EQ(SelectionEnd(), MakeDate(2000, 1, 1));
  calendar.SetViewDate(MakeDate(2035, 12, 31), false);  // grid from 30 Dec 2035
  Press(MakeDate(2035, 12, 31));
  calendar.Release(0, 0, {});
  calendar.Key(CalendarKey::Down);
  EXPECT_EQ(SelectionEnd(), MakeDate(2035, 12, 31));
}

TEST_F(CalendarModelTest, CtrlSpaceTogglesTheSelectedDay) {
  calendar.SetMaxSelection(1);
  calendar.ToggleSelectedDay();
  EXPECT_EQ(calendar.MultiSelection(), (std::set<std::int64_t>{DayKey(MakeDate(2008, 3, 15))}));
  calendar.Key(CalendarKey::Right);
  calendar.ToggleSelectedDay();  // one day at most: not added
  EXPECT_EQ(calendar.MultiSelection().size(), 1u);
  calendar.Key(CalendarKey::Left);
  calendar.ToggleSelectedDay();
  EXPECT_TRUE(calendar.MultiSelection().empty());
}

// Under Europe/Berlin and America/Santiago (see CMake) weeks around a
// daylight-saving change are an hour short or long: the grid, the selection
// limit and the arrows still step whole calendar days.
TEST_F(CalendarModelTest, DaysStayCalendarDaysAcrossDaylightSavingChanges) {
  for (Date view : {MakeDate(2008, 3, 20), MakeDate(2008, 10, 5), MakeDate(2009, 3, 1), MakeDate(2009, 10, 1)}) {
    ASSERT_TRUE(calendar.SetViewDate(view, false));
    for (int i = 1; i < CalendarModel::kCells; ++i) {
      ASSERT_EQ(DaysBetween(calendar.CellDate(i - 1), calendar.CellDate(i)), 1);
      ASSERT_LT(calendar.CellKey(i - 1), calendar.CellKey(i));
      ASSERT_EQ(DateOfDayKey(calendar.CellKey(i)), calendar.CellDate(i));
    }
  }
  calendar.SetViewDate(MakeDate(2008, 3, 20), false);
  calendar.SetMaxSelection(10);
  Press(MakeDate(2008, 3, 16));
  Move(MakeDate(2008, 4, 12));
  EXPECT_EQ(SelectionStart(), MakeDate(2008, 4, 3));
  calendar.Release(0, 0, {});  // in the header: the end goes back to the start
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 4, 3));
  calendar.Key(CalendarKey::Up);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 27));
}

}  // namespace
}  // namespace tempovia
