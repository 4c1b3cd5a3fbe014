#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "MarchDays.h"
#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "calendar/CalendarLook.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "calendar/widgets/DlgCalendar.h"
#include "skin/SkinLayout.h"
#include "store/StepData.h"
#include "widgets/Label.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr int kColumn = 100;
constexpr int kRow = 73;
constexpr int kHeader = 40;

Rgb At(const QImage& image, int x, int y) {
  return ToRgb(image.pixel(x, y));
}

// A step file with a few days of March 2008: steps, a note, both.
class StepFile {
 public:
  StepFile() {
    EXPECT_TRUE(m_steps.Open(m_folder / "100.dat"));
    test::StoreMarchDay(m_steps, 3, 8500, "");
    test::StoreMarchDay(m_steps, 4, 0, "Rest day");
    test::StoreMarchDay(m_steps, 5, 4200, "Park");
  }
  StepData& Steps() { return m_steps; }
  CalendarDays& Days() { return m_days; }

 private:
  test::TempDir m_folder;
  StepData m_steps;
  OpenStepFileDays m_days{m_steps};
};

// The control alone, set up as the dialog does, its client area 700 x 478:
// columns of 100 and rows of 73 pixels under a 40-pixel header. Today is
// Saturday 15 March 2008; the grid runs from Sunday 24 February.
class CalendarCtrlTest : public ::testing::Test {
 protected:
  CalendarCtrlTest() : clock(LocalDateTime::From(2008, 3, 15, 12, 0, 0)), calendar(clock) {
    calendar.Create(QRect(0, 0, 700 + calendar.ScrollBar()->sizeHint().width(), 478), nullptr, 1);
    calendar.SetHeaderHeight(kHeader);
    calendar.SetHeaderFont(30);
    calendar.SetDayFont(20);
    calendar.SetMonthFont(32);
    calendar.SetDataPictures(Picture::CalendarDay, Picture::CalendarDayMask);
    calendar.SetDays(&file.Days());
  }

  QRect CellOf(Date date) const {
    const int i = calendar.Model().CellOf(DayKey(date));
    EXPECT_GE(i, 0);
    return QRect((i % 7) * kColumn, kHeader + (i / 7) * kRow, kColumn, kRow);
  }
  Date SelectionEnd() const { return DateOfDayKey(calendar.Model().SelectionEnd()); }

  FakeClock clock;
  StepFile file;
  CCalendarCtrl calendar;
};

TEST_F(CalendarCtrlTest, PaintsHeaderCellsTodaySelectionAndGridWhereTheArithmeticSays) {
  QTest::mouseClick(&calendar, Qt::LeftButton, {}, CellOf(MakeDate(2008, 3, 12)).center());
  const QImage image = calendar.grab().toImage();
  ASSERT_EQ(image.width(), calendar.width());

  EXPECT_EQ(At(image, 5, kHeader - 1), Shade(0));  // the header's bottom line
  EXPECT_EQ(At(image, 5, 0), Shade(78));

  const QRect other = CellOf(MakeDate(2008, 2, 27));
  EXPECT_EQ(At(image, other.right() - 4, other.top() + 35), kCalendarOtherMonths);
  const QRect plain = CellOf(MakeDate(2008, 3, 11));
  EXPECT_EQ(At(image, plain.right() - 4, plain.top() + 35), kCalendarShownMonths);
  const QRect selected = CellOf(MakeDate(2008, 3, 12));
  EXPECT_EQ(At(image, selected.right() - 4, selected.top() + 35), Shade(70));
  EXPECT_EQ(At(image, selected.left() + 40, selected.top() + 10), Shade(70));

  // Today's band: darkest at its bottom line, lightest at its top, the cell
  // below it in the month's colour.
  const QRect today = CellOf(MakeDate(2008, 3, 15));
  EXPECT_EQ(At(image, today.left() + 40, today.top() + 29), Shade(0));
  EXPECT_EQ(At(image, today.left() + 40, today.top() + 1), Shade(84));
  EXPECT_EQ(At(image, today.left() + 40, today.top() + 40), kCalendarShownMonths);

  // Grid lines over the cells: the left edge of column 3, the top of row 2.
  EXPECT_EQ(At(image, 300, selected.top() + 50), kCalendarGridLine);
  EXPECT_EQ(At(image, 250, kHeader + 2 * kRow), kCalendarGridLine);
  EXPECT_EQ(At(image, 250, kHeader), kCalendarGridLine);
  EXPECT_NE(At(image, 250, kHeader + kRow + 1), kCalendarGridLine);
  // The selected day's number is orange.
  bool orange = false;
  for (int x = selected.right() - 30; x < selected.right(); ++x) {
    for (int y = selected.top() + 2; y < selected.top() + 22; ++y)
      orange = orange || At(image, x, y) == kCalendarSelectedNumber;
  }
  EXPECT_TRUE(orange);
}

TEST_F(CalendarCtrlTest, OutOfRangeDaysArePink) {
  calendar.SetViewDate(MakeDate(2000, 1, 1), false);
  const QImage image = calendar.grab().toImage();
  const QRect pink = CellOf(MakeDate(1999, 12, 31));
  EXPECT_EQ(At(image, pink.right() - 4, pink.top() + 35), kCalendarOutOfRange);
  const QRect first = CellOf(MakeDate(2000, 1, 1));
  EXPECT_NE(At(image, first.right() - 4, first.top() + 35), kCalendarOutOfRange);
  // And cannot be selected.
  QTest::mouseClick(&calendar, Qt::LeftButton, {}, pink.center());
  EXPECT_NE(SelectionEnd(), MakeDate(1999, 12, 31));
}

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(Rgb)>& match) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += match(At(image, x, y)) ? 1 : 0;
  }
  return count;
}

TEST_F(CalendarCtrlTest, DaysWithStepsShowThePictureAndNotedDaysShowNote) {
  const QImage image = calendar.grab().toImage();
  const auto red = [](Rgb c) { return c.r > 200 && c.g < 90 && c.b < 90; };
  const auto pictureInk = [](Rgb c) { return c != kCalendarShownMonths; };
  // The picture fills the left of the area below the texts, 26 pixels down.
  const auto pictureArea = [&](Date d) {
    const QRect cell = CellOf(d);
    return QRect(cell.left() + 3, cell.top() + 26, 20, cell.height() - 28);
  };
  const auto noteArea = [&](Date d) {
    const QRect cell = CellOf(d);
    return QRect(cell.left() + 40, cell.bottom() - 30, 59, 30);
  };

  EXPECT_GT(CountPixels(image, pictureArea(MakeDate(2008, 3, 3)), pictureInk), 100);
  EXPECT_EQ(CountPixels(image, noteArea(MakeDate(2008, 3, 3)), red), 0);
  EXPECT_EQ(CountPixels(image, pictureArea(MakeDate(2008, 3, 4)), pictureInk), 0);
  EXPECT_GT(CountPixels(image, noteArea(MakeDate(2008, 3, 4)), red), 30);
  EXPECT_GT(CountPixels(image, pictureArea(MakeDate(2008, 3, 5)), pictureInk), 100);
  EXPECT_GT(CountPixels(image, noteArea(MakeDate(2008, 3, 5)), red), 30);
  EXPECT_EQ(CountPixels(image, pictureArea(MakeDate(2008, 3, 6)), pictureInk), 0);
}

TEST(CalendarCtrl, TakesTheFocusOnEveryPress) {
  FakeClock clock;
  QWidget window;
  QLineEdit other(&window);
  CCalendarCtrl calendar(clock, &window);
  calendar.Create(QRect(0, 30, 500, 300), &window, 1);
  window.resize(500, 330);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    other.setFocus();
    ASSERT_TRUE(other.hasFocus());
    QTest::mousePress(&calendar, button, {}, QPoint(50, 10));  // even in the header
    EXPECT_TRUE(calendar.hasFocus()) << button;
    QTest::mouseRelease(&calendar, button, {}, QPoint(50, 10));
  }
}

TEST_F(CalendarCtrlTest, CtrlClicksPickDaysAndShiftCancelsCtrl) {
  calendar.SetMaxSelection(3);
  QTest::mouseClick(&calendar, Qt::LeftButton, Qt::ControlModifier, CellOf(MakeDate(2008, 3, 4)).center());
  QTest::mouseClick(&calendar, Qt::LeftButton, Qt::ControlModifier, CellOf(MakeDate(2008, 3, 6)).center());
  EXPECT_EQ(calendar.Model().MultiSelection().size(), 2u);
  const QImage image = calendar.grab().toImage();
  const QRect picked = CellOf(MakeDate(2008, 3, 6));
  EXPECT_EQ(At(image, picked.right() - 5, picked.top() + 35), Shade(70));

  QTest::mouseClick(&calendar, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier,
                    CellOf(MakeDate(2008, 3, 10)).center());
  EXPECT_TRUE(calendar.Model().MultiSelection().empty());
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 10));
}

TEST_F(CalendarCtrlTest, DragAndKeyboardMoveTheSelection) {
  calendar.SetMaxSelection(7);
  QTest::mousePress(&calendar, Qt::LeftButton, {}, CellOf(MakeDate(2008, 3, 3)).center());
  QMouseEvent move(QEvent::MouseMove, QPointF(CellOf(MakeDate(2008, 3, 5)).center()),
                   QPointF(calendar.mapToGlobal(CellOf(MakeDate(2008, 3, 5)).center())), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&calendar, &move);
  QTest::mouseRelease(&calendar, Qt::LeftButton, {}, CellOf(MakeDate(2008, 3, 5)).center());
  EXPECT_EQ(DateOfDayKey(calendar.Model().SelectionStart()), MakeDate(2008, 3, 3));
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 5));

  QTest::keyClick(&calendar, Qt::Key_Down);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 12));
  QTest::keyClick(&calendar, Qt::Key_Left);
  EXPECT_EQ(SelectionEnd(), MakeDate(2008, 3, 11));
  QTest::keyClick(&calendar, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(calendar.Model().MultiSelection(), (std::set<std::int64_t>{DayKey(MakeDate(2008, 3, 11))}));
  QTest::keyClick(&calendar, Qt::Key_Space);  // without Ctrl: nothing
  EXPECT_EQ(calendar.Model().MultiSelection().size(), 1u);
}

// The dialog as PickDate runs it, with today on 15 December 2026.
class DlgCalendarTest : public ::testing::Test {
 protected:
  DlgCalendarTest() : clock(LocalDateTime::From(2026, 12, 15, 18, 45, 10)), dialog(clock) {
    dialog.SetDays(&file.Days());
  }
  QPoint CentreOf(Date date) {
    const int i = dialog.Calendar().Model().CellOf(DayKey(date));
    EXPECT_GE(i, 0);
    const CalendarGeometry g = dialog.Calendar().Model().Geometry();
    return QPoint((i % 7) * g.ColumnWidth() + g.ColumnWidth() / 2,
                  g.HeaderHeight() + (i / 7) * g.RowHeight() + g.RowHeight() / 2);
  }
  QString Year() const { return dialog.YearLabel().text(); }

  FakeClock clock;
  StepFile file;
  CDlgCalendar dialog;
};

TEST_F(DlgCalendarTest, HeaderAndCalendarAreLaidOutBelowTheTopMargin) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Calendar"));
  EXPECT_EQ(dialog.TodayLabel().text(), QStringLiteral("Today"));
  EXPECT_EQ(dialog.TodayLabel().BkColor(), kCalendarTodayLabelBackground);
  EXPECT_EQ(dialog.YearLabel().BkColor(), kCalendarBackground);
  EXPECT_EQ(Year(), QStringLiteral("2026"));
  dialog.show();
  dialog.resize(820, 600);
  EXPECT_EQ(dialog.Calendar().geometry(), QRect(0, 40, 820, 560));
  EXPECT_EQ(dialog.Calendar().Model().HeaderHeight(), 40);
  EXPECT_EQ(dialog.Calendar().Model().ViewDate(), MakeDate(2026, 12, 1));
  const QImage image = dialog.grab().toImage();
  EXPECT_EQ(At(image, 200, 20), kCalendarBackground);
  EXPECT_EQ(At(image, 700, 5), kCalendarBackground);
  EXPECT_EQ(At(image, 3, 3), kCalendarTodayLabelBackground);
}

TEST_F(DlgCalendarTest, HandCursorOverTheHeaderAreasOnly) {
  const auto cursorAt = [&](QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(dialog.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&dialog, &move);
    return dialog.cursor().shape();
  };
  EXPECT_EQ(cursorAt(QPoint(60, 20)), Qt::PointingHandCursor);
  EXPECT_EQ(cursorAt(QPoint(200, 20)), Qt::ArrowCursor);
  EXPECT_EQ(cursorAt(QPoint(280, 30)), Qt::PointingHandCursor);
  EXPECT_EQ(cursorAt(QPoint(350, 20)), Qt::ArrowCursor);
  EXPECT_EQ(cursorAt(QPoint(450, 5)), Qt::PointingHandCursor);
  EXPECT_EQ(cursorAt(QPoint(450, 38)), Qt::ArrowCursor);
  EXPECT_TRUE(dialog.TodayLabel().testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(DlgCalendarTest, YearArrowsAndTodayRespondToClicks) {
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(450, 20));
  EXPECT_EQ(Year(), QStringLiteral("2027"));
  EXPECT_EQ(dialog.Calendar().Model().ViewDate(), MakeDate(2027, 12, 1));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(280, 20));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(280, 20));
  EXPECT_EQ(Year(), QStringLiteral("2025"));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(60, 20));  // Today: label and grid, not the shown year
  EXPECT_EQ(Year(), QStringLiteral("2026"));
  EXPECT_EQ(dialog.Calendar().Model().ViewDate(), MakeDate(2026, 12, 1));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(450, 20));
  EXPECT_EQ(Year(), QStringLiteral("2026"));
}

TEST_F(DlgCalendarTest, ScrollBarUpdatesTheYearAndTheWheelDoesNot) {
  CCalendarCtrl& calendar = dialog.Calendar();
  const QPoint inside(200, 200);
  QWheelEvent wheel(QPointF(inside), QPointF(calendar.mapToGlobal(inside)), QPoint(), QPoint(0, -120 * 5), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&calendar, &wheel);
  EXPECT_EQ(calendar.Model().ViewDate(), MakeDate(2027, 1, 5));  // five weeks later
  EXPECT_EQ(calendar.ScrollBar()->value(), 60);
  EXPECT_EQ(Year(), QStringLiteral("2026"));  // the owner was not told

  calendar.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(calendar.Model().ViewDate(), MakeDate(2027, 1, 12));
  EXPECT_EQ(calendar.ScrollBar()->value(), 61);
  EXPECT_EQ(Year(), QStringLiteral("2027"));

  // The thumb dragged to the top: as many weeks back as it travelled.
  calendar.ScrollBar()->setSliderDown(true);
  calendar.ScrollBar()->setSliderPosition(0);
  calendar.ScrollBar()->setSliderDown(false);
  EXPECT_EQ(calendar.Model().ViewDate(), AddDays(MakeDate(2027, 1, 12), -61 * 7));
  EXPECT_EQ(calendar.ScrollBar()->value(), 0);
  EXPECT_EQ(Year(), QStringLiteral("2025"));
}

TEST_F(DlgCalendarTest, ThumbMovesOutsideTheRangeAreRefused) {
  CCalendarCtrl& calendar = dialog.Calendar();
  calendar.SetViewDate(MakeDate(2000, 1, 12), false);
  calendar.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(calendar.Model().ViewDate(), MakeDate(2000, 1, 5));
  calendar.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(calendar.Model().ViewDate(), MakeDate(2000, 1, 5));
  EXPECT_EQ(calendar.ScrollBar()->value(), 54);
  EXPECT_EQ(Year(), QStringLiteral("2000"));
}

TEST_F(DlgCalendarTest, DoubleClickAcceptsWithThatDayAtMidnight) {
  bool clicked = false;
  QTimer::singleShot(0, &dialog, [&] {
    QTest::mouseDClick(&dialog.Calendar(), Qt::LeftButton, {}, CentreOf(MakeDate(2026, 12, 9)));
    clicked = true;
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(dialog.PickedDate(), LocalDateTime::From(2026, 12, 9, 0, 0, 0));
}

TEST_F(DlgCalendarTest, ClosingAnyOtherWayPicksNothing) {
  dialog.show();
  // A double click on a pink day does not close it.
  dialog.Calendar().SetViewDate(MakeDate(2000, 1, 1), false);
  QTest::mouseDClick(&dialog.Calendar(), Qt::LeftButton, {}, CentreOf(MakeDate(1999, 12, 28)));
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.PickedDate().has_value());
}

}  // namespace
}  // namespace tempovia
