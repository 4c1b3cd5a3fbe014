#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "charts/widgets/ChartTip.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

Rgb At(const QImage& image, int x, int y) {
  return ToRgb(image.pixel(x, y));
}

bool NearColour(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

int CountNear(const QImage& image, QRect area, Rgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += NearColour(At(image, x, y), colour, 30) ? 1 : 0;
  }
  return count;
}

TEST(ChartTip, PaintsTheHeaderAndLinesInTheirColours) {
  QWidget chart;
  CChartTip tip(&chart);
  tip.ShowTip(QStringLiteral("05-Mar-2008\nMin, Ave, Max\n62, 88, 151\n"), QPoint(100, 100));
  EXPECT_EQ(tip.size(), QSize(160, 100));
  const QImage image = tip.grab().toImage();
  EXPECT_EQ(At(image, 150, 92), (Rgb{255, 255, 220}));                    // the fill, clear of text
  EXPECT_EQ(At(image, 80, 0), (Rgb{240, 210, 80}));                       // the frame
  EXPECT_GT(CountNear(image, QRect(6, 2, 148, 24), {255, 100, 0}), 20);   // header
  EXPECT_GT(CountNear(image, QRect(6, 30, 148, 24), {10, 100, 10}), 20);  // first line
  EXPECT_GT(CountNear(image, QRect(6, 56, 148, 24), {150, 150, 150}), 20);
  EXPECT_EQ(CountNear(image, QRect(6, 56, 148, 24), {10, 100, 10}), 0);
  EXPECT_FALSE(tip.mask().contains(QPoint(0, 0)));  // rounded corners
  EXPECT_TRUE(tip.mask().contains(QPoint(80, 50)));
}

TEST(ChartTip, IsPlacedBesideTheCursorAndKeptOnTheScreen) {
  QWidget chart;
  CChartTip tip(&chart);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  tip.ShowTip(QStringLiteral("a\n1\n"), QPoint(100, 100));
  EXPECT_EQ(tip.pos(), QPoint(110, 120));
  // Within one bar the tip stays put; another bar's text moves it.
  tip.ShowTip(QStringLiteral("a\n1\n"), QPoint(120, 130));
  EXPECT_EQ(tip.pos(), QPoint(110, 120));
  tip.ShowTip(QStringLiteral("b\n2\n"), screen.bottomRight() - QPoint(5, 5));
  EXPECT_EQ(tip.pos(), QPoint(screen.right() + 1 - 160 - 4, screen.bottom() + 1 - 100));
  EXPECT_TRUE(tip.TimerActive());
  EXPECT_EQ(tip.DisplayMs(), 4000);
  // Nothing shows when tips are off or there is no text.
  tip.HideTip(QPoint(0, 0));
  tip.ShowTip(QStringLiteral("c\n3\n"), QPoint(10, 10), false);
  tip.ShowTip(QString(), QPoint(10, 10));
  EXPECT_FALSE(tip.isVisible());
}

TEST(ChartTip, HidesOnAClickAndAfterItsTime) {
  QWidget chart;
  CChartTip tip(&chart);
  tip.ShowTip(QStringLiteral("a\n1\n"), QPoint(100, 100));
  ASSERT_TRUE(tip.isVisible());
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(120, 130), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&tip, &press);
  EXPECT_FALSE(tip.isVisible());
  EXPECT_FALSE(tip.TimerActive());

  CChartTip quick(&chart, 5);
  quick.ShowTip(QStringLiteral("a\n1\n"), QPoint(100, 100));
  QElapsedTimer elapsed;
  elapsed.start();
  while (quick.isVisible() && elapsed.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_FALSE(quick.isVisible());
}

}  // namespace
}  // namespace tempovia
