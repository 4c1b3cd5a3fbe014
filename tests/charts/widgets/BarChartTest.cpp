#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "charts/ChartColour.h"
#include "charts/widgets/BarChart.h"
#include "charts/widgets/ChartTip.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr Rgb kSteps{247, 198, 0};
constexpr Rgb kGrey{149, 149, 149};
constexpr std::array<Rgb, 3> kHeart{Rgb{133, 194, 39}, Rgb{247, 198, 0}, Rgb{216, 41, 24}};

// The chart as the main window sets it up: 880 by 290, ten bands, no labels.
void Configure(CBarChart& chart, int mode, int barWidth, int barGap) {
  chart.Create(QRect(0, 0, 880, 290), nullptr, 1038, QString());
  chart.SetBkColor(kGrey);
  chart.SetGridLines(10);
  chart.ShowAxisLabels(false);
  chart.ShowValueLabels(1, false);
  chart.SetBarWidth(barWidth);
  chart.SetBarGap(barGap);
  chart.SetChartMode(mode);
  chart.SetTitle(QStringLiteral("TOTAL STEPS     (Week : 05-Mar-2008)"));
}

Rgb At(const QImage& image, int x, int y) {
  return ToRgb(image.pixel(x, y));
}

TEST(BarChart, WallFloorTitleBandAndBarsArePaintedWhereTheArithmeticPutsThem) {
  CBarChart chart;
  Configure(chart, 0, 26, 50);
  for (double steps : {10000.0, 5000.0, 0.0, 0.0, 0.0, 0.0, 2500.0}) {
    chart.AddBar({steps, 0, 0}, QString(), QString(), {kSteps, kBlack, kBlack});
  }
  EXPECT_TRUE(chart.Surface().isNull());  // nothing is drawn before the first paint
  chart.Refresh();
  EXPECT_TRUE(chart.Surface().isNull());
  const QImage image = chart.grab().toImage();
  ASSERT_FALSE(chart.Surface().isNull());

  EXPECT_EQ(At(image, 878, 5), kGrey);                   // background
  EXPECT_EQ(At(image, 860, 210), (Rgb{190, 190, 190}));  // band 1 (200..220)
  EXPECT_EQ(At(image, 860, 190), (Rgb{220, 220, 220}));  // band 2 (179..199)
  EXPECT_EQ(At(image, 400, 240), (Rgb{220, 220, 220}));  // floor
  EXPECT_EQ(At(image, 40, 235), (Rgb{192, 192, 192}));   // floor's left edge (L + 10, B - 10)
  EXPECT_EQ(At(image, 40, 262), (Rgb{220, 220, 220}));   // title band
  EXPECT_EQ(At(image, 30, 255), (Rgb{192, 192, 192}));   // the band's left edge
  EXPECT_EQ(At(image, 870, 240), (Rgb{220, 220, 220}));  // the floor's right side (x = 850 + 20: rows 225..249)
  EXPECT_EQ(At(image, 870, 252), kGrey);
  EXPECT_EQ(At(image, 876, 280), kGrey);  // below the floor's right side

  // Bar 0 at x = 189, full height: 191 rows of front above the floor at 230.
  const int x0 = chart.Model().Bars().BarLeft(0, 880);
  ASSERT_EQ(x0, 189);
  for (int k : {2, 12, 13, 23}) {
    EXPECT_EQ(At(image, x0 + k, 229), ColumnColour(kSteps, k, 26, true)) << "column " << k;
    EXPECT_EQ(At(image, x0 + k, 230 - 191 + 2), ColumnColour(kSteps, k, 26, true)) << "top of column " << k;
  }
  EXPECT_EQ(At(image, x0 + 12, 230 - 191 - 1), ColumnColour(kSteps, 2, 26, true));  // top face, second row
  EXPECT_EQ(At(image, x0 + 25, 150), ColumnColour(kSteps, 1, 26, true));            // right face
  EXPECT_EQ(At(image, x0 + 30, 150), ColumnColour(kSteps, 6, 26, true));
  EXPECT_EQ(At(image, x0 + 12, 230 - 191 - 12), (Rgb{220, 220, 220}));  // wall above the top
  EXPECT_EQ(At(image, x0 + 12, 230), (Rgb{220, 220, 220}));             // floor under the bar

  // Bar 1 at half the value: h = 102 - 12, shown 88 rows.
  const int x1 = chart.Model().Bars().BarLeft(1, 880);
  EXPECT_EQ(At(image, x1 + 20, 230 - 88 + 2), ColumnColour(kSteps, 20, 26, true));
  EXPECT_NE(At(image, x1 + 20, 230 - 88 - 12), ColumnColour(kSteps, 20, 26, true));
  // A zero bar has no front: the column above its top face is wall.
  const int x2 = chart.Model().Bars().BarLeft(2, 880);
  EXPECT_EQ(At(image, x2 + 12, 229), ColumnColour(kSteps, 2, 26, true));  // its top face on the floor
  EXPECT_EQ(At(image, x2 + 12, 200), (Rgb{190, 190, 190}));

  // The scale: the top label "10000" ends at x = 52 around y = 28.
  bool ink = false;
  for (int x = 20; x < 52; ++x) {
    for (int y = 23; y < 33; ++y) ink = ink || At(image, x, y) == kBlack || At(image, x, y).r < 60;
  }
  EXPECT_TRUE(ink);
}

TEST(BarChart, HeartRateSegmentsStackInTheirColours) {
  CBarChart chart;
  Configure(chart, 2, 26, 50);
  chart.AddBar({60, 80, 120}, QStringLiteral("05-Mar-2008"), QString(), kHeart);
  chart.AddBar({70, 90, 180}, QStringLiteral("06-Mar-2008"), QString(), kHeart);
  const QImage image = chart.grab().toImage();
  const int x0 = chart.Model().Bars().BarLeft(0, 880);
  // Base 0 (60 - 60), 225 pixels: 61, 86 and 136 rows above the floor at 230.
  const int k = 20;
  EXPECT_EQ(At(image, x0 + k, 229), ColumnColour(kHeart[0], k, 26, true));
  EXPECT_EQ(At(image, x0 + k, 230 - 61), ColumnColour(kHeart[0], k, 26, true));
  EXPECT_EQ(At(image, x0 + k, 230 - 62), ColumnColour(kHeart[1], k, 26, true));
  EXPECT_EQ(At(image, x0 + k, 230 - 85), ColumnColour(kHeart[1], k, 26, true));
  EXPECT_EQ(At(image, x0 + k, 230 - 86), ColumnColour(kHeart[2], k, 26, true));  // the top overlaps one row
  EXPECT_EQ(At(image, x0 + k, 230 - 134), ColumnColour(kHeart[2], k, 26, true));
}

TEST(BarChart, RaisedHeartRateBaseShowsOnTheScale) {
  CBarChart chart;
  Configure(chart, 2, 26, 50);
  chart.AddBar({120, 140, 170}, QString(), QString(), kHeart);
  chart.AddBar({125, 150, 180}, QString(), QString(), kHeart);
  EXPECT_DOUBLE_EQ(chart.Model().Bars().Base(), 50);  // 120 - 30 = 90, snapped
  const ChartPlan plan = chart.Model().Plan(880, 290);
  std::vector<std::string> scale;
  for (const ChartOp& op : plan) {
    if (const auto* text = std::get_if<ChartText>(&op); text && text->align == TextAlign::Right) {
      scale.push_back(text->text);
    }
  }
  EXPECT_EQ(scale, (std::vector<std::string>{"61", "85", "109", "132", "156", "180"}));
}

TEST(BarChart, ManyBarsWidenTheSurfaceAndRemovingThemShrinksIt) {
  CBarChart chart;
  Configure(chart, 0, 30, 10);
  for (int i = 0; i < 31; ++i) chart.AddBar({double(i + 1), 0, 0}, QString(), QString(), {kSteps, kBlack, kBlack});
  chart.grab();
  EXPECT_EQ(chart.Surface().size(), QSize(1240, 290));
  chart.RemoveAllBars();
  EXPECT_EQ(chart.Surface().size(), QSize(880, 290));
  chart.AddBar({5, 0, 0}, QString(), QString(), {kSteps, kBlack, kBlack}, true);
  EXPECT_EQ(chart.Model().Bars().Maximum(), 5);
}

void MoveMouse(QWidget& widget, QPoint local) {
  QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget.mapToGlobal(local)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
}

TEST(BarChart, MouseOverABarShowsItsTip) {
  CBarChart chart;
  Configure(chart, 0, 26, 50);
  chart.AddBar({1234, 0, 0}, QStringLiteral("05-Mar-2008"), QStringLiteral("Wed"), {kSteps, kBlack, kBlack});
  chart.AddBar({4321, 0, 0}, QStringLiteral("06-Mar-2008"), QStringLiteral("Thu"), {kSteps, kBlack, kBlack});
  chart.grab();
  const int x0 = chart.Model().Bars().BarLeft(0, 880);
  MoveMouse(chart, QPoint(x0 + 10, 150));
  EXPECT_EQ(chart.TipText(), QStringLiteral("05-Mar-2008\n1234\n"));
  ASSERT_NE(chart.Tip(), nullptr);
  EXPECT_TRUE(chart.Tip()->isVisible());
  EXPECT_EQ(chart.Tip()->Text(), chart.TipText());
  MoveMouse(chart, QPoint(chart.Model().Bars().BarLeft(1, 880) + 10, 150));
  EXPECT_EQ(chart.Tip()->Text(), QStringLiteral("06-Mar-2008\n4321\n"));
  MoveMouse(chart, QPoint(860, 150));  // right of the last bar
  EXPECT_TRUE(chart.TipText().isEmpty());
  EXPECT_FALSE(chart.Tip()->isVisible());

  chart.EnableToolTips(false);
  MoveMouse(chart, QPoint(x0 + 10, 150));
  EXPECT_FALSE(chart.TipText().isEmpty());
  EXPECT_FALSE(chart.Tip()->isVisible());
  chart.EnableToolTips(true);
  MoveMouse(chart, QPoint(x0 + 10, 150));
  EXPECT_TRUE(chart.Tip()->isVisible());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&chart, &leave);
  EXPECT_FALSE(chart.Tip()->isVisible());
}

}  // namespace
}  // namespace tempovia
