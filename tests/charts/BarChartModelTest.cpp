#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "charts/BarChartModel.h"
#include "charts/ChartColour.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

constexpr Rgb kSteps{247, 198, 0};
constexpr std::array<Rgb, 3> kHeart{Rgb{133, 194, 39}, Rgb{247, 198, 0}, Rgb{216, 41, 24}};

// The chart as the main window configures it.
BarChartModel MainWindowChart(int mode, int barWidth, int barGap) {
  BarChartModel model;
  model.SetBkColor({149, 149, 149});
  model.SetGridLines(10);
  model.Bars().Style().axisLabels = false;
  model.Bars().Style().valueLabels = false;
  model.Bars().Style().barWidth = barWidth;
  model.Bars().Style().barGap = barGap;
  model.Bars().Style().mode = mode;
  return model;
}

std::vector<ChartFill> Fills(const ChartPlan& plan) {
  std::vector<ChartFill> fills;
  for (const ChartOp& op : plan) {
    if (const auto* fill = std::get_if<ChartFill>(&op)) fills.push_back(*fill);
  }
  return fills;
}

std::vector<ChartText> Texts(const ChartPlan& plan) {
  std::vector<ChartText> texts;
  for (const ChartOp& op : plan) {
    if (const auto* text = std::get_if<ChartText>(&op)) texts.push_back(*text);
  }
  return texts;
}

bool HasFill(const ChartPlan& plan, const Box& box, Rgb colour) {
  const std::vector<ChartFill> fills = Fills(plan);
  return std::any_of(fills.begin(), fills.end(),
                     [&](const ChartFill& f) { return f.box == box && f.colour == colour; });
}

// Fills lying inside the columns of a bar (front, faces and the depth beside it).
int FillsWithin(const ChartPlan& plan, int left, int right) {
  const std::vector<ChartFill> fills = Fills(plan);
  return static_cast<int>(std::count_if(fills.begin(), fills.end(), [&](const ChartFill& f) {
    return f.box.x >= left && f.box.Right() <= right && f.box.width < 100;
  }));
}

TEST(BarChartModel, GridLineSettingsKeepOrResetCounts) {
  BarChartModel model;
  model.SetGridLines(10);
  model.SetGridLines(0, 5);
  EXPECT_EQ(model.Grid().horizontalLines, 10);
  EXPECT_EQ(model.Grid().verticalLines, 5);
  model.SetGridLines(3, 3, true, 0);
  EXPECT_EQ(model.Grid().horizontalLines, 0);
  EXPECT_EQ(model.Grid().verticalLines, 0);
  EXPECT_EQ(model.Grid().defaultSpacing, 10);
  model.SetGridLines(0, 0, true, 15);
  EXPECT_EQ(model.Grid().defaultSpacing, 15);
  model.SetBkColor({149, 149, 149});
  EXPECT_EQ(model.GridPenColour(), (Rgb{99, 99, 99}));
}

TEST(BarChartModel, APictureReplacesEverythingShownAndItsBarsAreDrawnAsGiven) {
  BarChartModel model;
  model.Bars().AddBar({9000, 0, 0}, "old", "old", {kSteps, kSteps, kSteps});
  model.SetGoalLine(20000);
  model.SetTitle("TOTAL STEPS");

  ChartPicture picture;
  picture.title = "HEART RATE";
  picture.unitLabel = "BPM";
  picture.background = {149, 149, 149};
  picture.gridLines = 10;
  picture.horizontalGrid = false;
  picture.scale = false;
  picture.toolTips = false;
  picture.style.mode = kHeartRateMode;
  picture.style.barWidth = 26;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  picture.bars = {Bar{"05-Mar-2008", "Wed", BarList::ChartedValues({95, 60, 150}, kHeartRateMode), kHeart},
                  Bar{"06-Mar-2008", "Thu", {5, 3, 1}, kHeart}, Bar{"07-Mar-2008", "Fri", {nan, 70, 120}, kHeart}};
  model.SetPicture(picture);

  EXPECT_EQ(model.Title(), "HEART RATE");
  EXPECT_EQ(model.Grid().unitLabel, "BPM");
  EXPECT_EQ(model.Grid().horizontalLines, 10);
  EXPECT_EQ(model.BkColor(), (Rgb{149, 149, 149}));
  EXPECT_FALSE(model.HorizontalGrid());
  EXPECT_FALSE(model.ScaleOn());
  EXPECT_FALSE(model.ToolTipsOn());
  EXPECT_EQ(model.Bars().Style(), picture.style);
  EXPECT_EQ(model.GoalLine(), 0);
  ASSERT_EQ(model.Bars().Count(), 3) << "the old bar is gone";
  // Charted once by the picture's maker; the chart does not lower them again.
  EXPECT_EQ(model.Bars().Bars()[0].values, (std::array<double, 3>{60, 60, 150}));
  EXPECT_EQ(model.Bars().Bars()[1].values, (std::array<double, 3>{5, 3, 1}));
  EXPECT_EQ(model.Bars().Bars()[2].values, (std::array<double, 3>{0, 70, 120})) << "no number, no measurement";
  EXPECT_EQ(model.Bars().Maximum(), 150);
  EXPECT_EQ(model.Bars().ScaleMaximum(), 150) << "the old goal no longer lifts the scale";
  // Charting again lowers the same values further: why the picture holds them charted.
  EXPECT_EQ(BarList::ChartedValues({5, 3, 1}, kHeartRateMode), (std::array<double, 3>{3, 1, 1}));
}

TEST(BarChartModel, WallFloorAndTitleBandSitAboveTheTitle) {
  BarChartModel model = MainWindowChart(0, 26, 50);
  model.SetTitle("TOTAL STEPS     (Week : 05-Mar-2008)");
  model.SetUnitLabel("STEP");
  const ChartPlan plan = model.Plan(880, 290);
  ASSERT_FALSE(plan.empty());
  EXPECT_TRUE(HasFill(plan, {0, 0, 880, 290}, {149, 149, 149}));  // background first
  EXPECT_EQ(std::get<ChartFill>(plan.front()).box, (Box{0, 0, 880, 290}));
  EXPECT_TRUE(HasFill(plan, {30, 245, 820, 25}, {220, 220, 220}));  // title band
  EXPECT_TRUE(HasFill(plan, {55, 221, 820, 21}, {220, 220, 220}));  // band 0
  EXPECT_TRUE(HasFill(plan, {55, 200, 820, 21}, {190, 190, 190}));  // band 1
  EXPECT_TRUE(HasFill(plan, {54, 221, 820, 1}, {220, 220, 220}));   // floor, back row
  EXPECT_TRUE(HasFill(plan, {874, 221, 1, 25}, {220, 220, 220}));   // floor, right side
  EXPECT_TRUE(HasFill(plan, {30, 245, 820, 1}, {192, 192, 192}));   // front edge
  EXPECT_TRUE(HasFill(plan, {850, 245, 1, 25}, {192, 192, 192}));   // right edge

  const std::vector<ChartText> texts = Texts(plan);
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0].colour, (Rgb{200, 200, 200}));  // the shadow first, 2 pixels off
  EXPECT_EQ(texts[0].box, (Box{32, 247, 820, 25}));
  EXPECT_EQ(texts[1].text, "TOTAL STEPS     (Week : 05-Mar-2008)");
  EXPECT_EQ(texts[1].colour, kBlack);
  EXPECT_EQ(texts[2].text, "STEP");
  EXPECT_EQ(texts[2].box.y, 2);
  EXPECT_EQ(texts.back().align, TextAlign::Right);  // the scale comes last
  EXPECT_EQ(texts.back().box, (Box{0, 23, 52, 10}));

  model.ShowGrid(false);
  model.ShowScale(false);
  EXPECT_EQ(Texts(model.Plan(880, 290)).size(), 2u);  // the title and its shadow
}

TEST(BarChartModel, VerticalGridLinesUseThePen) {
  BarChartModel model = MainWindowChart(0, 26, 50);
  model.SetHorizontalGrid(false);
  model.SetGridLines(0, 10);
  const ChartPlan plan = model.Plan(880, 290);
  EXPECT_TRUE(HasFill(plan, {30, 5, 1, 285}, {99, 99, 99}));
  EXPECT_TRUE(HasFill(plan, {30 + 82 * 9, 5, 1, 285}, {99, 99, 99}));
  EXPECT_FALSE(HasFill(plan, {30 + 82 * 10, 5, 1, 285}, {99, 99, 99}));  // stops 60 before the right edge
}

TEST(BarChartModel, OrdinaryBarHasShadedFrontRightAndTopFaces) {
  BarChartModel model = MainWindowChart(0, 26, 50);
  for (double steps : {10000.0, 5000.0, 0.0, 0.0, 0.0, 0.0, 0.0}) model.Bars().AddBar({steps, 0, 0}, "", "", {kSteps});
  const ChartPlan plan = model.Plan(880, 290);
  // Bar 0 at x = 189: h = 205 - 12 = 193, shown 191 rows above the floor at 230.
  EXPECT_TRUE(HasFill(plan, {189 + 1, 230 - 191, 1, 191}, ColumnColour(kSteps, 1, 26, true)));
  EXPECT_TRUE(HasFill(plan, {189 + 24, 230 - 191, 1, 191}, ColumnColour(kSteps, 24, 26, true)));
  EXPECT_TRUE(HasFill(plan, {189 + 25, 230 - 191, 1, 191}, ColumnColour(kSteps, 1, 26, true)));  // right face, k = 1
  EXPECT_TRUE(HasFill(plan, {189 + 34, 230 - 191 - 8, 1, 190}, ColumnColour(kSteps, 10, 26, true)));  // k = 10
  EXPECT_TRUE(HasFill(plan, {189 + 2, 230 - 191, 24, 1}, ColumnColour(kSteps, 1, 26, true)));         // top face, k = 1
  EXPECT_TRUE(HasFill(plan, {189 + 11, 230 - 191 - 9, 23, 1}, ColumnColour(kSteps, 10, 26, true)));
  EXPECT_TRUE(HasFill(plan, {189 + 24, 230 - 190, 1, 1}, ColumnColour(kSteps, 1, 26, true)));  // corner pixels
  // A zero bar (bar 2 at 341) has no front or right face: only the top face
  // (10 rows and its 2 corner pixels) lies on the floor.
  EXPECT_EQ(FillsWithin(plan, 341, 341 + 36), 12);
  EXPECT_TRUE(HasFill(plan, {341 + 2, 230, 24, 1}, ColumnColour(kSteps, 1, 26, true)));
}

TEST(BarChartModel, AGoalLineCrossesTheBarsWhereABarOfTheGoalWouldEndAndTheScaleReachesIt) {
  const Rgb line{40, 40, 40};
  BarChartModel model = MainWindowChart(0, 26, 50);
  for (double steps : {10000.0, 5000.0, 0.0, 0.0, 0.0, 0.0, 0.0}) model.Bars().AddBar({steps, 0, 0}, "", "", {kSteps});
  const auto lineFills = [&](const ChartPlan& plan) {
    const std::vector<ChartFill> fills = Fills(plan);
    return std::count_if(fills.begin(), fills.end(), [&](const ChartFill& f) { return f.colour == line; });
  };
  EXPECT_EQ(lineFills(model.Plan(880, 290)), 0) << "no goal, no line";

  model.SetGoalLine(12000);
  const ChartPlan plan = model.Plan(880, 290);
  // A full bar of 12000 would show 191 rows above the floor at 230; the
  // 10000 bar now shows 205 * 10000 / 12000 - 12 - 2 = 156.
  EXPECT_TRUE(HasFill(plan, {189 + 1, 230 - 156, 1, 156}, ColumnColour(kSteps, 1, 26, true)));
  EXPECT_TRUE(HasFill(plan, {183, 230 - 191 - 1, 6, 2}, line));
  // Dashes from 6 pixels before the first bar to 6 past the last one's depth.
  const std::vector<ChartFill> fills = Fills(plan);
  int right = 0;
  for (const ChartFill& f : fills)
    if (f.colour == line) right = std::max(right, f.box.Right());
  EXPECT_EQ(right, 189 + 6 * 76 + 26 + 10 + 6);
  const std::vector<ChartText> texts = Texts(plan);
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const ChartText& t) { return t.text == "GOAL"; }));

  // Below the tallest bar the scale stays the bars'; heart-rate charts have no line.
  model.SetGoalLine(5000);
  EXPECT_TRUE(HasFill(model.Plan(880, 290), {189 + 1, 230 - 191, 1, 191}, ColumnColour(kSteps, 1, 26, true)));
  model.Bars().Style().mode = kHeartRateMode;
  const std::vector<ChartText> heartTexts = Texts(model.Plan(880, 290));
  EXPECT_FALSE(std::any_of(heartTexts.begin(), heartTexts.end(), [](const ChartText& t) { return t.text == "GOAL"; }));
}

TEST(BarChartModel, HeartRateBarsStackThreeSegmentsAndTraceTheirFixes) {
  BarChartModel model = MainWindowChart(kHeartRateMode, 26, 50);
  model.Bars().AddBar({60, 80, 120}, "d1", "", kHeart);
  model.Bars().AddBar({100, 120, 90}, "d2", "", kHeart);  // stored as 100, 90, 90
  model.Bars().AddBar({70, 90, 180}, "d3", "", kHeart);
  TraceCapture trace;
  const ChartPlan plan = model.Plan(880, 290);
  EXPECT_TRUE(trace.Contains("Non zero min = 60.00\n"));
  EXPECT_TRUE(trace.Contains("Heat Rate Data is invalid : (1) 100.00, 90.00, 90.00\n"));
  EXPECT_FALSE(trace.Contains("(0)"));
  // 7 bars would centre at 189; 3 bars of 76 centre at (880 - 228 + 10) / 2 + 10 = 341.
  const int x0 = model.Bars().BarLeft(0, 880);
  EXPECT_EQ(x0, 341);
  // Base 0 (60 - 60), scale 225: heights 61, 86, 136 above the floor at 230.
  const int k = 20;
  EXPECT_TRUE(HasFill(plan, {x0 + k, 230 - 61, 1, 61}, ColumnColour(kHeart[0], k, 26, true)));
  EXPECT_TRUE(HasFill(plan, {x0 + k, 230 - 86, 1, 25}, ColumnColour(kHeart[1], k, 26, true)));
  EXPECT_TRUE(HasFill(plan, {x0 + k, 230 - 136, 1, 51}, ColumnColour(kHeart[2], k, 26, true)));
  // The top face belongs to the maximum.
  EXPECT_TRUE(HasFill(plan, {x0 + 2, 230 - 136, 24, 1}, ColumnColour(kHeart[2], 1, 26, true)));
}

TEST(BarChartModel, WideChartsGrowTheSurfaceAndTipsNeedTheSurface) {
  BarChartModel model = MainWindowChart(0, 30, 10);
  for (int i = 0; i < 31; ++i) model.Bars().AddBar({double(i), 0, 0}, "day " + std::to_string(i + 1), "", {kSteps});
  EXPECT_EQ(model.DrawRect(880, 290), (Box{0, 0, 1240, 290}));
  model.Bars().RemoveAll();
  EXPECT_EQ(model.DrawRect(880, 290), (Box{0, 0, 880, 290}));

  BarChartModel week = MainWindowChart(0, 26, 50);
  week.Bars().AddBar({1234, 0, 0}, "05-Mar-2008", "", {kSteps});
  EXPECT_EQ(week.TipTextAt(400, 100, 880, 290), "05-Mar-2008\n1234\n");
  EXPECT_EQ(week.TipTextAt(400, 290, 880, 290), "");  // below the surface
  EXPECT_EQ(week.TipTextAt(800, 100, 880, 290), "");  // right of the only bar
}

// A day or month total read from a file written elsewhere may be anything.
// Whatever it is, every bar, face and label stays inside the chart, and the
// arithmetic on the way is defined (the sanitizer build checks that).
TEST(BarChartModel, AnyStoredValueKeepsEveryBarInsideTheChart) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::vector<double> extremes = {1e300,
                                        -1e300,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        kInf,
                                        -kInf,
                                        std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::lowest(),
                                        -1,
                                        0,
                                        8500};
  for (const int mode : {0, kHeartRateMode}) {
    for (const bool threeD : {false, true}) {
      for (const double odd : extremes) {
        SCOPED_TRACE(testing::Message() << "mode " << mode << ", 3D " << threeD << ", value " << odd);
        BarChartModel model = MainWindowChart(mode, 26, 50);
        model.Bars().Style().threeD = threeD;
        model.Bars().Style().valueLabels = true;
        model.Bars().Style().axisLabels = true;
        model.Bars().AddBar({60, 72, 130}, "Mon", "Mon", kHeart);
        model.Bars().AddBar({odd, odd, odd}, "Tue", "Tue", kHeart);
        model.Bars().AddBar({odd, 80, 150}, "Wed", "Wed", kHeart);
        model.Bars().AddBar({50, odd, 120}, "Thu", "Thu", kHeart);
        const ChartPlan plan = model.Plan(880, 290);
        for (const ChartFill& fill : Fills(plan)) {
          EXPECT_GE(fill.box.x, 0);
          EXPECT_GE(fill.box.y, 0);
          EXPECT_GE(fill.box.height, 0);
          EXPECT_LE(fill.box.Right(), 880);
          EXPECT_LE(fill.box.Bottom(), 290);
        }
        for (const ChartText& text : Texts(plan)) {
          EXPECT_GE(text.box.y, 0) << text.text;
          EXPECT_LE(text.box.y, 290) << text.text;
        }
        for (int i = 0; i < model.Bars().Count(); ++i) EXPECT_FALSE(model.Bars().TipText(i).empty());
      }
    }
  }
}

}  // namespace
}  // namespace tempovia
