// The bar chart on two screens, at device pixel ratios 1 and 2.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "TwoScreens.h"
#include "charts/widgets/BarChart.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr Rgb kSteps{247, 198, 0};
constexpr Rgb kGrey{149, 149, 149};

// The main window's chart, 880 by 290, with a week of bars.
void Configure(CBarChart& chart) {
  chart.Create(QRect(0, 0, 880, 290), nullptr, 1038, QString());
  chart.SetBkColor(kGrey);
  chart.SetGridLines(10);
  chart.ShowAxisLabels(false);
  chart.ShowValueLabels(1, false);
  chart.SetBarWidth(26);
  chart.SetBarGap(50);
  chart.SetChartMode(0);
  chart.SetTitle(QStringLiteral("TOTAL STEPS     (Week : 05-Mar-2008)"));
  for (double steps : {10000.0, 5000.0, 0.0, 7300.0, 120.0, 9999.0, 2500.0}) {
    chart.AddBar({steps, 0, 0}, QString(), QString(), {kSteps, kBlack, kBlack});
  }
}

QImage Shown(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(BarChartHiDpi, TheSurfaceIsMadeAtTheScreensRatioAndEveryEdgeStaysSharp) {
  CBarChart one;
  Configure(one);
  ASSERT_TRUE(test::PutOnScreen(one, 1));
  const QImage low = Shown(one);
  CBarChart two;
  Configure(two);
  ASSERT_TRUE(test::PutOnScreen(two, 2));
  const QImage high = Shown(two);

  ASSERT_EQ(high.size(), QSize(1760, 580));
  EXPECT_EQ(two.Surface().size(), QSize(1760, 580));
  EXPECT_EQ(two.Surface().devicePixelRatio(), 2);
  EXPECT_EQ(two.SurfaceSize(), QSize(880, 290));
  // Copied to the screen one to one.
  EXPECT_EQ(two.Surface().convertToFormat(QImage::Format_RGB32), high);

  // Wall, floor, bands and bars are whole logical pixels: each one covers its
  // 2 x 2 device pixels in exactly its colour, so no edge is blended.
  for (int y = 30; y < 250; ++y) {
    for (int x = 60; x < 872; ++x) {
      const QRgb colour = low.pixel(x, y);
      ASSERT_TRUE(high.pixel(2 * x, 2 * y) == colour && high.pixel(2 * x + 1, 2 * y) == colour &&
                  high.pixel(2 * x, 2 * y + 1) == colour && high.pixel(2 * x + 1, 2 * y + 1) == colour)
          << "logical pixel " << x << "," << y;
    }
  }
  // The scale's text is drawn at the ratio, not as doubled pixels.
  int split = 0;
  for (int y = 20; y < 36; ++y) {
    for (int x = 16; x < 56; ++x) {
      const QRgb first = high.pixel(2 * x, 2 * y);
      if (high.pixel(2 * x + 1, 2 * y) != first || high.pixel(2 * x, 2 * y + 1) != first) ++split;
    }
  }
  EXPECT_GT(split, 20);
}

TEST(BarChartHiDpi, AMoveToAScreenOfAnotherRatioRedrawsTheSurfaceThere) {
  CBarChart chart;
  Configure(chart);
  ASSERT_TRUE(test::PutOnScreen(chart, 1));
  chart.grab();
  EXPECT_EQ(chart.Surface().size(), QSize(880, 290));
  ASSERT_TRUE(test::PutOnScreen(chart, 2));
  chart.Refresh();  // a refresh alone already draws at the new ratio
  EXPECT_EQ(chart.Surface().size(), QSize(1760, 580));
  EXPECT_EQ(chart.Surface().devicePixelRatio(), 2);
  ASSERT_TRUE(test::PutOnScreen(chart, 1));
  EXPECT_EQ(Shown(chart).size(), QSize(880, 290));
  EXPECT_EQ(chart.Surface().size(), QSize(880, 290));
  EXPECT_EQ(chart.Surface().devicePixelRatio(), 1);
}

void MoveMouse(QWidget& widget, QPoint local) {
  QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget.mapToGlobal(local)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
}

TEST(BarChartHiDpi, AStretchedChartFindsTheBarUnderTheMouseInLogicalPixels) {
  CBarChart charts[2];
  for (int i = 0; i < 2; ++i) {
    CBarChart& chart = charts[i];
    Configure(chart);
    chart.RemoveAllBars();
    // A month of bars: wider than the control, squeezed into it.
    for (int day = 1; day <= 31; ++day) {
      chart.AddBar({1000.0 * day, 0, 0}, QStringLiteral("Day %1").arg(day), QString(), {kSteps, kBlack, kBlack});
    }
    chart.SetBarWidth(30);
    chart.SetBarGap(10);
    chart.SetStretch(true);
    ASSERT_TRUE(test::PutOnScreen(chart, i + 1));
    chart.grab();
    ASSERT_GT(chart.SurfaceSize().width(), 880);
  }
  QStringList seen;
  for (int x = 40; x < 870; x += 9) {
    MoveMouse(charts[0], QPoint(x, 200));
    MoveMouse(charts[1], QPoint(x, 200));
    EXPECT_EQ(charts[1].TipText(), charts[0].TipText()) << "x = " << x;
    if (!charts[0].TipText().isEmpty() && !seen.contains(charts[0].TipText())) seen << charts[0].TipText();
  }
  EXPECT_GT(seen.size(), 25);  // nearly every bar was found on the way
}

}  // namespace
}  // namespace tempovia
