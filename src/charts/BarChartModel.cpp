#include "charts/BarChartModel.h"

#include <algorithm>

#include "charts/ChartColour.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "BarChart";

constexpr int kDepth = 10;  // of the 3D faces
constexpr Rgb kTitleShadow{200, 200, 200};
// Dark enough to read over every measure colour and the wall's bands.
constexpr Rgb kGoalLineColour{40, 40, 40};

void Fill(ChartPlan& plan, int x, int y, int width, int height, Rgb colour) {
  if (width > 0 && height > 0) plan.emplace_back(ChartFill{Box{x, y, width, height}, colour});
}

void Text(ChartPlan& plan, Box box, std::string text, Rgb colour, ChartFont font, TextAlign align,
          bool verticalCentre) {
  if (text.empty()) return;
  plan.emplace_back(ChartText{box, std::move(text), colour, font, align, verticalCentre});
}

// Draws one bar's shape from the bar list's style; top is the y of the
// segment's highest row.
class BarPainter {
 public:
  BarPainter(ChartPlan& plan, const BarStyle& style, int left) : m_plan(plan), m_style(style), m_left(left) {}

  Rgb Column(Rgb colour, int k) const { return ColumnColour(colour, k, m_style.barWidth, m_style.shaded); }

  void Front(int top, int height, Rgb colour) const {
    for (int k = 1; k <= m_style.barWidth - 2; ++k) Fill(m_plan, m_left + k, top, 1, height, Column(colour, k));
  }

  void RightFace(int top, int height, Rgb colour) const {
    for (int k = 1; k <= kDepth; ++k) {
      const bool last = k == kDepth;
      Fill(m_plan, m_left + m_style.barWidth - 2 + k, top - k + 1 + (last ? 1 : 0), 1, height - (last ? 1 : 0),
           Column(colour, k));
    }
  }

  void TopFace(int top, Rgb colour) const {
    for (int k = 1; k <= kDepth; ++k) {
      const bool last = k == kDepth;
      const Rgb c = Column(colour, k);
      Fill(m_plan, m_left + k + 1, top - k + 1, m_style.barWidth - 2 - (last ? 1 : 0), 1, c);
      if (k == 1) {
        Fill(m_plan, m_left + m_style.barWidth - 2, top + 1, 1, 1, c);
        Fill(m_plan, m_left + 1, top + 1, 1, 1, c);
      }
    }
  }

  // The value label above a bar whose top is `top` (3D moves it onto the top face).
  void ValueLabel(int top, std::string text) const {
    int x = m_left;
    int y = top - 10;
    if (m_style.threeD) {
      x += 10;
      y -= 15;
    }
    Text(m_plan, {x, y, m_style.barWidth + m_style.barGap + 10, 10}, std::move(text), kBlack, ChartFont::Label,
         TextAlign::Left, true);
  }

  // "Max", "Ave" or "Min" just inside the top of a segment.
  void SegmentLabel(int top, const char* text) const {
    Text(m_plan, {m_left + 1, top + 1, m_style.barWidth - 2, 12}, text, kBlack, ChartFont::Label, TextAlign::Centre,
         true);
  }

  void AxisLabel(int drawBottom, const std::string& text) const {
    Text(m_plan, {m_left, drawBottom - 20, m_style.barWidth + m_style.barGap + 9, 10}, text, kBlack, ChartFont::Label,
         TextAlign::Left, false);
  }

 private:
  ChartPlan& m_plan;
  const BarStyle& m_style;
  int m_left;
};

}  // namespace

Rgb BarChartModel::GridPenColour() const {
  return Darken(m_background, 50);
}

void BarChartModel::SetPicture(const ChartPicture& picture) {
  m_bars.RemoveAll();
  m_bars.Style() = picture.style;
  for (const Bar& bar : picture.bars) m_bars.AddCharted(bar);
  m_title = picture.title;
  m_grid.unitLabel = picture.unitLabel;
  m_grid.horizontalLines = picture.gridLines;
  m_background = picture.background;
  m_horizontalGrid = picture.horizontalGrid;
  m_scaleOn = picture.scale;
  m_toolTipsOn = picture.toolTips;
  SetGoalLine(picture.goalLine);
}

void BarChartModel::SetGridLines(int horizontal, int vertical, bool reset, int spacing) {
  if (reset) {
    m_grid.horizontalLines = 0;
    m_grid.verticalLines = 0;
    m_grid.defaultSpacing = spacing != 0 ? spacing : 10;
    return;
  }
  if (horizontal != 0) m_grid.horizontalLines = horizontal;
  if (vertical != 0) m_grid.verticalLines = vertical;
}

Box BarChartModel::DrawRect(int clientWidth, int clientHeight) const {
  return {0, 0, std::max(m_bars.TotalWidth(), clientWidth), clientHeight};
}

ChartPlan BarChartModel::Plan(int clientWidth, int clientHeight) const {
  const Box client{0, 0, clientWidth, clientHeight};
  const Box draw = DrawRect(clientWidth, clientHeight);
  ChartPlan plan;
  Fill(plan, draw.x, draw.y, draw.width, draw.height, m_background);

  // The title sits on the front face of the floor, with a light drop shadow.
  const Box band{draw.x + 30, draw.Bottom() - 45, draw.width - 60, 25};
  Fill(plan, band.x, band.y, band.width, band.height, m_titleBand);
  Text(plan, {band.x + 2, band.y + 2, band.width, band.height}, m_title, kTitleShadow, ChartFont::Default,
       TextAlign::Centre, true);
  Text(plan, band, m_title, kBlack, ChartFont::Default, TextAlign::Centre, true);

  if (m_gridOn) {
    if (m_horizontalGrid) {
      PlanWall(plan, client);
    } else {
      PlanVerticalLines(plan, client);
    }
  }
  if (m_bars.Style().mode == kHeartRateMode) {
    PlanHeartRateBars(plan, draw);
  } else {
    PlanOrdinaryBars(plan, draw);
    PlanGoalLine(plan, draw);
  }
  if (m_scaleOn) PlanScale(plan, client);
  return plan;
}

void BarChartModel::PlanWall(ChartPlan& plan, const Box& client) const {
  const int left = WallLeft(client);
  const int width = WallWidth(client);
  const int bottom = WallBottom(client);
  const int spacing = BandSpacing(m_grid, client);
  const std::vector<int> tops = BandTops(m_grid, client);
  for (std::size_t n = 0; n < tops.size(); ++n) {
    Fill(plan, left + 25, tops[n], width, spacing, n % 2 == 1 ? m_grid.bandB : m_grid.bandA);
  }
  // The floor: a slab 25 pixels deep receding up and to the right.
  for (int n = 0; n < 25; ++n) {
    Fill(plan, left + n, bottom - n, width, 1, m_grid.bandA);
    Fill(plan, left + width + n, bottom - n, 1, 25, m_grid.bandA);
    Fill(plan, left + n, bottom - n, 1, 1, m_grid.edge);
    Fill(plan, left + width + n, bottom - n, 1, 1, m_grid.edge);
  }
  Fill(plan, left, bottom, width, 1, m_grid.edge);
  Fill(plan, left, bottom, 1, 25, m_grid.edge);
  Fill(plan, left + width, bottom, 1, 25, m_grid.edge);
  Text(plan, {0, client.y + 2, 100, 100 - (client.y + 2)}, m_grid.unitLabel, kBlack, ChartFont::Default,
       TextAlign::Left, false);
}

void BarChartModel::PlanVerticalLines(ChartPlan& plan, const Box& client) const {
  const int spacing = VerticalLineSpacing(m_grid, client);
  for (int x = client.x + 30; x < client.Right() - 60; x += spacing) {
    Fill(plan, x, 5, 1, client.height - 5, GridPenColour());
  }
}

void BarChartModel::PlanOrdinaryBars(ChartPlan& plan, const Box& draw) const {
  const BarStyle& style = m_bars.Style();
  const int floor = draw.Bottom() - 60;
  for (int i = 0; i < m_bars.Count(); ++i) {
    const Bar& bar = m_bars.Bars()[static_cast<std::size_t>(i)];
    const BarPainter painter(plan, style, m_bars.BarLeft(i, draw.width));
    const int h = m_bars.OrdinaryHeight(bar.values[0], draw.height);
    const int shown = std::max(h - 2, 0);
    const Rgb colour = bar.colours[0];
    painter.Front(floor - shown, shown, colour);
    if (style.threeD) {
      painter.RightFace(floor - shown, shown, colour);
      painter.TopFace(floor - shown, colour);
    }
    if (style.valueLabels) painter.ValueLabel(floor - h, m_bars.ValueLabel(bar.values[0]));
    if (style.axisLabels) painter.AxisLabel(draw.Bottom(), bar.axisLabel);
  }
}

void BarChartModel::PlanGoalLine(ChartPlan& plan, const Box& draw) const {
  if (m_goalLine <= 0 || m_bars.Count() == 0) return;
  const BarStyle& style = m_bars.Style();
  // Where a bar of exactly the goal would end, over the bars' whole width.
  const int floor = draw.Bottom() - 60;
  const int y = floor - std::max(m_bars.OrdinaryHeight(m_goalLine, draw.height) - 2, 0);
  const int left = m_bars.BarLeft(0, draw.width) - 6;
  const int right = m_bars.BarLeft(m_bars.Count() - 1, draw.width) + style.barWidth + (style.threeD ? kDepth : 0) + 6;
  for (int x = left; x < right - 6; x += 9) Fill(plan, x, y - 1, 6, 2, kGoalLineColour);
  Fill(plan, right - 6, y - 1, 6, 2, kGoalLineColour);  // it ends on a dash
  Text(plan, {right - 80, y - 14, 80, 12}, "GOAL", kGoalLineColour, ChartFont::Label, TextAlign::Right, false);
}

void BarChartModel::PlanHeartRateBars(ChartPlan& plan, const Box& draw) const {
  const BarStyle& style = m_bars.Style();
  const HeartRateBaseline baseline = m_bars.HeartRateBase();
  TV_TRACE("Non zero min = %.2f\n", baseline.nonZeroMinimum);
  const int floor = draw.Bottom() - 60;
  for (int i = 0; i < m_bars.Count(); ++i) {
    const Bar& bar = m_bars.Bars()[static_cast<std::size_t>(i)];
    const HeartRateHeights h = m_bars.HeartRateBarHeights(i, baseline.base, draw.height);
    if (h.corrected) {
      TV_TRACE("Heat Rate Data is invalid : (%d) %.2f, %.2f, %.2f\n", i, bar.values[0], bar.values[1], bar.values[2]);
    }
    const BarPainter painter(plan, style, m_bars.BarLeft(i, draw.width));
    // Minimum, average and maximum stacked; the top segment reaches one row
    // into the one below so no seam shows between them.
    const int segmentTops[3] = {floor - h.minimum, floor - h.average, floor - h.maximum};
    const int segmentHeights[3] = {h.minimum, h.average - h.minimum, h.maximum - h.average + 1};
    for (int s = 0; s < 3; ++s) {
      painter.Front(segmentTops[s], segmentHeights[s], bar.colours[static_cast<std::size_t>(s)]);
      if (style.threeD) {
        painter.RightFace(segmentTops[s], segmentHeights[s], bar.colours[static_cast<std::size_t>(s)]);
      }
    }
    if (style.threeD) painter.TopFace(segmentTops[2], bar.colours[2]);
    if (style.valueLabels) {
      painter.ValueLabel(segmentTops[2], m_bars.ValueLabel(bar.values[2]));
      if (style.valueLabelKind == 1) {
        if (h.maximum - h.average > 20) painter.SegmentLabel(segmentTops[2], "Max");
        if (h.average - h.minimum > 20) painter.SegmentLabel(segmentTops[1], "Ave");
        if (h.minimum > 20) painter.SegmentLabel(segmentTops[0], "Min");
      }
    }
    if (style.axisLabels) painter.AxisLabel(draw.Bottom(), bar.axisLabel);
  }
}

void BarChartModel::PlanScale(ChartPlan& plan, const Box& client) const {
  for (ScaleLabel& label :
       ScaleLabels(m_grid, client, m_bars.ScaleMaximum(), m_bars.Base(), m_bars.Style().integerValues)) {
    Text(plan, {0, label.y, 52, 10}, std::move(label.text), kBlack, ChartFont::Default, TextAlign::Right, true);
  }
}

std::string BarChartModel::TipTextAt(int x, int y, int clientWidth, int clientHeight) const {
  const Box draw = DrawRect(clientWidth, clientHeight);
  if (x < draw.x || x >= draw.Right() || y < draw.y || y >= draw.Bottom()) return {};
  return m_bars.TipText(m_bars.TipIndex(x, draw.width));
}

}  // namespace tempovia
