// The calendar control on two screens, at device pixel ratios 1 and 2.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "TempDir.h"
#include "TwoScreens.h"
#include "base/testing/FakeClock.h"
#include "calendar/CalendarLook.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "store/StepData.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr int kColumn = 100;
constexpr int kRow = 73;
constexpr int kHeader = 40;
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 478;

// Days of March 2008 with steps, so their cells show the day picture.
class StepFile {
 public:
  StepFile() {
    EXPECT_TRUE(m_steps.Open(m_folder / "100.dat"));
    for (int day : {3, 5, 12}) {
      DayRecord& r = m_steps.Current();
      r = DayRecord{};
      r.year = 8;
      r.month = 3;
      r.day = static_cast<std::uint8_t>(day);
      r.steps = 1000.0 * day;
      EXPECT_TRUE(m_steps.MergeDay());
    }
  }
  StepData& Steps() { return m_steps; }
  CalendarDays& Days() { return m_days; }

 private:
  test::TempDir m_folder;
  StepData m_steps;
  OpenStepFileDays m_days{m_steps};
};

// The same calendar twice, set up as the dialog does (columns of 100 and rows
// of 73 pixels under a 40-pixel header), one on each screen. Today is
// Saturday 15 March 2008; the grid runs from Sunday 24 February.
class CalendarHiDpiTest : public ::testing::Test {
 protected:
  CalendarHiDpiTest() : clock(LocalDateTime::From(2008, 3, 15, 12, 0, 0)), low(clock), high(clock) {
    for (CCalendarCtrl* calendar : {&low, &high}) {
      calendar->Create(QRect(0, 0, kClientWidth + calendar->ScrollBar()->sizeHint().width(), kClientHeight), nullptr,
                       1);
      calendar->SetHeaderHeight(kHeader);
      calendar->SetHeaderFont(30);
      calendar->SetDayFont(20);
      calendar->SetMonthFont(32);
      calendar->SetDataPictures(Picture::CalendarDay, Picture::CalendarDayMask);
      calendar->SetDays(&file.Days());
    }
    EXPECT_TRUE(test::PutOnScreen(low, 1));
    EXPECT_TRUE(test::PutOnScreen(high, 2));
  }

  QRect CellOf(Date date) const {
    const int i = low.Model().CellOf(DayKey(date));
    EXPECT_GE(i, 0);
    return QRect((i % 7) * kColumn, kHeader + (i / 7) * kRow, kColumn, kRow);
  }

  // Paints both and keeps their bitmaps.
  void Paint() {
    low.PaintSurface();
    high.PaintSurface();
    one = low.Surface().convertToFormat(QImage::Format_RGB32);
    two = high.Surface().convertToFormat(QImage::Format_RGB32);
  }

  // The logical pixel covers its 2 x 2 device pixels in the colour it has at ratio 1.
  bool Sharp(int x, int y) const {
    const QRgb colour = one.pixel(x, y);
    return two.pixel(2 * x, 2 * y) == colour && two.pixel(2 * x + 1, 2 * y) == colour &&
           two.pixel(2 * x, 2 * y + 1) == colour && two.pixel(2 * x + 1, 2 * y + 1) == colour;
  }

  FakeClock clock;
  StepFile file;
  CCalendarCtrl low;
  CCalendarCtrl high;
  QImage one;
  QImage two;
};

TEST_F(CalendarHiDpiTest, TheBitmapIsMadeAtTheScreensRatioAndIsCopiedOneToOne) {
  Paint();
  EXPECT_EQ(low.Surface().size(), QSize(kClientWidth, kClientHeight));
  EXPECT_EQ(high.Surface().size(), QSize(2 * kClientWidth, 2 * kClientHeight));
  EXPECT_EQ(high.Surface().devicePixelRatio(), 2);
  const QImage shown = high.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.copy(0, 0, 2 * kClientWidth, 2 * kClientHeight), two);

  // Moved to the other screen, the next paint is at that ratio.
  ASSERT_TRUE(test::PutOnScreen(high, 1));
  high.PaintSurface();
  EXPECT_EQ(high.Surface().size(), QSize(kClientWidth, kClientHeight));
  EXPECT_EQ(high.Surface().convertToFormat(QImage::Format_RGB32), one);
}

TEST_F(CalendarHiDpiTest, GridLinesBandsAndFillsAreSharp) {
  QTest::mouseClick(&low, Qt::LeftButton, {}, CellOf(MakeDate(2008, 3, 20)).center());
  QTest::mouseClick(&high, Qt::LeftButton, {}, CellOf(MakeDate(2008, 3, 20)).center());
  Paint();
  const CalendarLook look = LookOf(low.Model(), &file.Days(), true);
  ASSERT_FALSE(look.verticalLines.empty());
  ASSERT_FALSE(look.horizontalLines.empty());
  // Each one-pixel grid line and its neighbours, in the middle of a cell's
  // height or width, clear of texts.
  for (int x : look.verticalLines) {
    for (int y = kHeader + 40; y < kHeader + 60; ++y) {
      for (int dx : {-1, 0, 1}) {
        if (x + dx < 0 || x + dx >= kClientWidth) continue;
        ASSERT_TRUE(Sharp(x + dx, y)) << x + dx << "," << y;
      }
    }
  }
  for (int y : look.horizontalLines) {
    for (int x = 40; x < 60; ++x) {
      for (int dy : {-1, 0, 1}) ASSERT_TRUE(Sharp(x, y + dy)) << x << "," << y + dy;
    }
  }
  // The header's shading and today's band, one line per logical row.
  for (int y = 0; y < kHeader; ++y) ASSERT_TRUE(Sharp(5, y)) << "header row " << y;
  const QRect today = CellOf(MakeDate(2008, 3, 15));
  for (int y = today.top(); y < today.top() + kTodayBandHeight; ++y) {
    ASSERT_TRUE(Sharp(today.left() + 5, y)) << "band row " << y;
  }
  // The selection, clicked at the same logical point on both screens.
  const QRect selected = CellOf(MakeDate(2008, 3, 20));
  EXPECT_EQ(ToRgb(two.pixel(2 * (selected.right() - 4), 2 * (selected.top() + 35))), Shade(70));
  EXPECT_TRUE(Sharp(selected.right() - 4, selected.top() + 35));
}

TEST_F(CalendarHiDpiTest, TheDayPictureIsDrawnAtTheRatioInItsLogicalPlace) {
  Paint();
  const QRect cell = CellOf(MakeDate(2008, 3, 5));
  const Rgb background = ToRgb(one.pixel(cell.left() + 50, cell.top() + 50));
  // The device pixels the picture changed at ratio 2, and the logical ones at 1.
  QRect inkOne;
  QRect inkTwo;
  for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
    for (int x = cell.left() + 1; x < cell.left() + 40; ++x) {
      if (y > cell.top() + 24 && ToRgb(one.pixel(x, y)) != background) inkOne |= QRect(x, y, 1, 1);
      for (int d = 0; d < 4; ++d) {
        const QPoint p(2 * x + d % 2, 2 * y + d / 2);
        if (y > cell.top() + 24 && ToRgb(two.pixel(p)) != background) inkTwo |= QRect(p, QSize(1, 1));
      }
    }
  }
  ASSERT_FALSE(inkOne.isEmpty());
  // Where ratio 1 puts it, to within a device pixel.
  EXPECT_NEAR(inkTwo.left(), 2 * inkOne.left(), 2);
  EXPECT_NEAR(inkTwo.top(), 2 * inkOne.top(), 2);
  EXPECT_NEAR(inkTwo.right(), 2 * inkOne.right() + 1, 2);
  EXPECT_NEAR(inkTwo.bottom(), 2 * inkOne.bottom() + 1, 2);
  // Drawn at the ratio: its outlines fall inside logical pixels.
  int split = 0;
  for (int y = inkOne.top(); y <= inkOne.bottom(); ++y) {
    for (int x = inkOne.left(); x <= inkOne.right(); ++x) {
      const QRgb first = two.pixel(2 * x, 2 * y);
      if (two.pixel(2 * x + 1, 2 * y) != first || two.pixel(2 * x, 2 * y + 1) != first) ++split;
    }
  }
  EXPECT_GT(split, 20);
}

TEST_F(CalendarHiDpiTest, TheFocusFrameStaysInsideItsLogicalRectangle) {
  for (CCalendarCtrl* calendar : {&low, &high}) {
    calendar->SetMaxSelection(3);
    QTest::mouseClick(calendar, Qt::LeftButton, Qt::ControlModifier, CellOf(MakeDate(2008, 3, 4)).center());
    QTest::mouseClick(calendar, Qt::LeftButton, Qt::ControlModifier, CellOf(MakeDate(2008, 3, 6)).center());
    EXPECT_EQ(calendar->Model().MultiSelection().size(), 2u);
  }
  Paint();
  const QRect cell = CellOf(MakeDate(2008, 3, 6));
  // The frame is the only black between the cell's edge and its texts.
  auto frameIn = [](const QImage& image, const QRect& area) {
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (ToRgb(image.pixel(x, y)) == kBlack) found |= QRect(x, y, 1, 1);
      }
    }
    return found;
  };
  const QRect lower(cell.left() + 1, cell.top() + 40, cell.width() - 2, cell.height() - 41);
  const QRect frameOne = frameIn(one, lower);
  const QRect frameTwo = frameIn(two, QRect(2 * lower.left(), 2 * lower.top(), 2 * lower.width(), 2 * lower.height()));
  ASSERT_FALSE(frameOne.isEmpty());
  ASSERT_FALSE(frameTwo.isEmpty());
  EXPECT_EQ(frameTwo.left(), 2 * frameOne.left());
  EXPECT_EQ(frameTwo.right(), 2 * frameOne.right() + 1);
  EXPECT_EQ(frameTwo.bottom(), 2 * frameOne.bottom() + 1);
}

}  // namespace
}  // namespace tempovia
