#pragma once
// The setters by which the dashboard drives the bar chart. CBarChart is the
// real one; tests record the calls to check exactly what a chart was told.
// Every setter takes a redraw flag; the dashboard passes false and ends a
// change with one Refresh.

#include <array>
#include <string>

#include "skin/Rgb.h"

namespace tempovia {

class ChartControl {
 public:
  virtual ~ChartControl() = default;

  // Texts are UTF-8.
  virtual void AddBar(const std::array<double, 3>& values, const std::string& tipLabel, const std::string& axisLabel,
                      const std::array<Rgb, 3>& colours, bool redraw) = 0;
  virtual void RemoveAllBars() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetUnitLabel(const std::string& text, bool redraw) = 0;
  virtual void SetBkColor(Rgb colour) = 0;
  virtual void ShowAxisLabels(bool on, bool redraw) = 0;
  virtual void ShowValueLabels(int kind, bool on, bool redraw) = 0;
  virtual void ShowPercent(bool on, bool redraw) = 0;
  virtual void Set3D(bool on, bool redraw) = 0;
  virtual void SetIntegerValues(bool on, bool redraw) = 0;
  virtual void SetShaded(bool on, bool redraw) = 0;
  virtual void SetHorizontalGrid(bool on, bool redraw) = 0;
  virtual void ShowScale(bool on, bool redraw) = 0;
  virtual void SetGridLines(int horizontal, int vertical, bool reset, int spacing) = 0;
  virtual void EnableToolTips(bool on) = 0;
  virtual void SetBarGap(int pixels) = 0;
  virtual void SetBarWidth(int pixels) = 0;
  virtual void SetChartMode(int mode) = 0;
  // A line across the bars at this value (a daily step goal), the scale
  // reaching it; 0 for none.
  virtual void SetGoalLine(double value, bool redraw) = 0;
  virtual void Refresh() = 0;
  // The control is hidden while the exercise table takes its place.
  virtual void SetShown(bool shown) = 0;
};

}  // namespace tempovia
