#pragma once
// The bars of a chart and everything computed from them alone: layout across
// the chart, heights, the heart-rate baseline, which bar the mouse is over and
// the tip text.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "skin/Rgb.h"

namespace tempovia {

struct Bar {
  std::string tipLabel;            // first line of the tool tip
  std::string axisLabel;           // under the bar, when axis labels are on
  std::array<double, 3> values{};  // value 1 only, or minimum, average, maximum in heart-rate mode
  std::array<Rgb, 3> colours{};

  friend bool operator==(const Bar&, const Bar&) = default;
};

// The chart mode that stacks three values on a raised baseline.
constexpr int kHeartRateMode = 2;

struct BarStyle {
  int barWidth = 24;
  int barGap = 18;  // after each bar
  int mode = 0;
  bool axisLabels = true;
  bool valueLabels = true;
  int valueLabelKind = 1;  // 0: percent of the maximum, 1: the value
  bool percentLine = false;
  bool integerValues = true;
  bool threeD = true;
  bool shaded = true;

  friend bool operator==(const BarStyle&, const BarStyle&) = default;
};

// The value at the baseline of a heart-rate chart, and the smallest non-zero
// value it was derived from.
struct HeartRateBaseline {
  double nonZeroMinimum = 0;
  double base = 0;
};

// Heights in pixels of the three stacked segments of a heart-rate bar, ready
// to draw (ordered, 3D depth taken off, never negative).
struct HeartRateHeights {
  int minimum = 0;
  int average = 0;
  int maximum = 0;
  bool corrected = false;  // the values were out of order and were lowered
};

class BarList {
 public:
  BarStyle& Style() { return m_style; }
  const BarStyle& Style() const { return m_style; }

  // The values a bar is charted with: in heart-rate mode ordered by lowering
  // (the minimum to the average, then the average to the maximum), otherwise
  // values 2 and 3 are 0; what is not a number is 0.
  static std::array<double, 3> ChartedValues(std::array<double, 3> values, int mode);
  // Adds a bar of these values as charted.
  void AddBar(std::array<double, 3> values, std::string tipLabel, std::string axisLabel, std::array<Rgb, 3> colours);
  // Adds a bar whose values are charted already, as they are (what is not a
  // number still becomes 0).
  void AddCharted(Bar bar);
  void RemoveAll();

  int Count() const { return static_cast<int>(m_bars.size()); }
  const std::vector<Bar>& Bars() const { return m_bars; }
  // Outside the list: an empty label, value -1 and colour black.
  std::string TipLabel(int index) const;
  double Value(int index, int which) const;
  Rgb Colour(int index, int which) const;

  // The largest value added since the last RemoveAll (0 for none).
  double Maximum() const { return m_maximum; }
  // The maximum used for scaling: 1 when it is 0, so empty charts still scale.
  double ScaleMaximum() const {
    const double top = std::max(m_maximum, m_scaleFloor);
    return top == 0 ? 1 : top;
  }
  // The scale reaches at least this value (a goal line above every bar);
  // 0 leaves it to the bars.
  void SetScaleFloor(double value) { m_scaleFloor = value; }
  int TotalWidth() const { return Count() * (m_style.barWidth + m_style.barGap); }

  // Offset that centres the bars on a surface of the given width.
  double CentringOffset(int drawWidth) const;
  int BarLeft(int index, int drawWidth) const;

  // Front-face height of an ordinary bar on a surface of the given height
  // (negative for small values in 3D: the top face then sits at the floor).
  int OrdinaryHeight(double value, int drawHeight) const;

  HeartRateBaseline HeartRateBase() const;
  // The value at the baseline: the heart-rate base in heart-rate mode, else 0.
  double Base() const;
  // Full-scale height of heart-rate bars on a surface of the given height.
  int HeartRateScale(int drawHeight) const;
  HeartRateHeights HeartRateBarHeights(int index, double base, int drawHeight) const;

  // The bar under the mouse (x in surface pixels), or -1. Truncation toward
  // zero keeps a point up to one slot left of the first bar on bar 0.
  int TipIndex(int mouseX, int drawWidth) const;
  // The tool tip's text for a bar: its label, then the value lines, each line
  // ending in "\n"; empty outside the list.
  std::string TipText(int index) const;
  // The value label printed above a bar.
  std::string ValueLabel(double value) const;

 private:
  BarStyle m_style;
  std::vector<Bar> m_bars;
  double m_maximum = 0;
  double m_scaleFloor = 0;
};

}  // namespace tempovia
