#pragma once
// Everything a bar chart shows, and how it is laid out, without a window: the
// look, the back wall, the bars and the tip text. CBarChart wraps one and
// paints its plan.

#include <string>

#include "charts/BarList.h"
#include "charts/ChartPicture.h"
#include "charts/ChartPlan.h"
#include "charts/ChartScale.h"

namespace tempovia {

class BarChartModel {
 public:
  BarList& Bars() { return m_bars; }
  const BarList& Bars() const { return m_bars; }
  ChartGrid& Grid() { return m_grid; }
  const ChartGrid& Grid() const { return m_grid; }

  Rgb BkColor() const { return m_background; }
  void SetBkColor(Rgb colour) { m_background = colour; }
  // The pen of the vertical grid lines follows the background.
  Rgb GridPenColour() const;
  Rgb TitleBandColour() const { return m_titleBand; }

  const std::string& Title() const { return m_title; }
  void SetTitle(std::string title) { m_title = std::move(title); }
  void SetUnitLabel(std::string text) { m_grid.unitLabel = std::move(text); }

  bool GridOn() const { return m_gridOn; }
  void ShowGrid(bool on) { m_gridOn = on; }
  bool HorizontalGrid() const { return m_horizontalGrid; }
  void SetHorizontalGrid(bool on) { m_horizontalGrid = on; }
  bool ScaleOn() const { return m_scaleOn; }
  void ShowScale(bool on) { m_scaleOn = on; }
  bool ToolTipsOn() const { return m_toolTipsOn; }
  void EnableToolTips(bool on) { m_toolTipsOn = on; }
  bool Stretch() const { return m_stretch; }
  void SetStretch(bool on) { m_stretch = on; }
  // A dashed line across the ordinary bars at this value, the scale reaching
  // it; 0 for none.
  void SetGoalLine(double value) {
    m_goalLine = value > 0 ? value : 0;
    m_bars.SetScaleFloor(m_goalLine);
  }
  double GoalLine() const { return m_goalLine; }

  // Takes everything the picture says in place of what was there; the
  // vertical grid lines, the grid switch and stretching are not part of it.
  void SetPicture(const ChartPicture& picture);

  // With reset both counts return to 0 and the default spacing becomes the
  // given one (10 for 0); without it each non-zero count replaces the old one.
  void SetGridLines(int horizontal, int vertical = 0, bool reset = false, int spacing = 0);

  // The drawing surface: as wide as the bars need, at least the client size.
  Box DrawRect(int clientWidth, int clientHeight) const;

  // The whole drawing for a client area of the given size.
  ChartPlan Plan(int clientWidth, int clientHeight) const;

  // The tip text for the mouse at a point of the surface, empty where no bar is.
  std::string TipTextAt(int x, int y, int clientWidth, int clientHeight) const;

 private:
  void PlanWall(ChartPlan& plan, const Box& client) const;
  void PlanVerticalLines(ChartPlan& plan, const Box& client) const;
  void PlanOrdinaryBars(ChartPlan& plan, const Box& draw) const;
  void PlanHeartRateBars(ChartPlan& plan, const Box& draw) const;
  void PlanScale(ChartPlan& plan, const Box& client) const;
  void PlanGoalLine(ChartPlan& plan, const Box& draw) const;

  BarList m_bars;
  ChartGrid m_grid;
  Rgb m_background{240, 240, 240};
  Rgb m_titleBand{220, 220, 220};
  std::string m_title;
  bool m_gridOn = true;
  bool m_horizontalGrid = true;
  bool m_scaleOn = true;
  bool m_toolTipsOn = true;
  bool m_stretch = false;
  double m_goalLine = 0;
};

}  // namespace tempovia
