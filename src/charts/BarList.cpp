#include "charts/BarList.h"

#include <algorithm>
#include <cmath>

#include "base/Printf.h"

namespace tempovia {

std::array<double, 3> BarList::ChartedValues(std::array<double, 3> values, int mode) {
  // Stored figures come from files written elsewhere too: what is not a
  // number at all is no measurement, and is charted as none.
  for (double& value : values)
    if (!std::isfinite(value)) value = 0;
  if (mode == kHeartRateMode) {
    if (values[1] < values[0]) values[0] = values[1];
    if (values[2] < values[1]) values[1] = values[2];
  } else {
    values[1] = 0;
    values[2] = 0;
  }
  return values;
}

void BarList::AddBar(std::array<double, 3> values, std::string tipLabel, std::string axisLabel,
                     std::array<Rgb, 3> colours) {
  AddCharted(Bar{std::move(tipLabel), std::move(axisLabel), ChartedValues(values, m_style.mode), colours});
}

void BarList::AddCharted(Bar bar) {
  for (double& value : bar.values) {
    if (!std::isfinite(value)) value = 0;
    m_maximum = std::max(m_maximum, value);
  }
  m_bars.push_back(std::move(bar));
}

void BarList::RemoveAll() {
  m_bars.clear();
  m_maximum = 0;
}

std::string BarList::TipLabel(int index) const {
  return index >= 0 && index < Count() ? m_bars[static_cast<std::size_t>(index)].tipLabel : std::string();
}

double BarList::Value(int index, int which) const {
  if (index < 0 || index >= Count() || which < 0 || which > 2) return -1;
  return m_bars[static_cast<std::size_t>(index)].values[static_cast<std::size_t>(which)];
}

Rgb BarList::Colour(int index, int which) const {
  if (index < 0 || index >= Count() || which < 0 || which > 2) return kBlack;
  return m_bars[static_cast<std::size_t>(index)].colours[static_cast<std::size_t>(which)];
}

double BarList::CentringOffset(int drawWidth) const {
  return (drawWidth - TotalWidth() + 10) / 2.0;
}

int BarList::BarLeft(int index, int drawWidth) const {
  return (m_style.barWidth + m_style.barGap) * index + 10 + static_cast<int>(CentringOffset(drawWidth));
}

int BarList::OrdinaryHeight(double value, int drawHeight) const {
  const int fullScale = drawHeight - 85;
  // Within the chart whatever the value: a negative one draws no bar, a huge
  // one whose product overflows a full one.
  int h =
      TruncateToInt(std::clamp(value * fullScale / ScaleMaximum(), 0.0, static_cast<double>(std::max(fullScale, 0))));
  if (m_style.threeD) h -= 12;
  return h;
}

HeartRateBaseline BarList::HeartRateBase() const {
  const double top = ScaleMaximum();
  double lowest = top;
  for (const Bar& bar : m_bars) {
    for (double value : bar.values) {
      if (value > 0 && value < lowest) lowest = value;
    }
  }
  // Half the spread below the smallest reading, so small differences between
  // days show; snapped to round values so the scale reads well.
  double base = lowest - (top - lowest) / 2;
  if (base < 0 || top <= 50 || lowest <= base) base = 0;
  if (base > 50 && base < 100) {
    base = 50;
  } else if (base > 100 && base < 150) {
    base = 100;
  } else if (base > 150 && base < 200) {
    base = 150;
  }
  return {lowest, base};
}

double BarList::Base() const {
  return m_style.mode == kHeartRateMode ? HeartRateBase().base : 0;
}

int BarList::HeartRateScale(int drawHeight) const {
  int scale = drawHeight - 65;
  if (m_style.valueLabels) scale -= 10;
  if (m_style.axisLabels) scale -= 10;
  return scale;
}

HeartRateHeights BarList::HeartRateBarHeights(int index, double base, int drawHeight) const {
  HeartRateHeights heights;
  if (index < 0 || index >= Count()) return heights;
  const Bar& bar = m_bars[static_cast<std::size_t>(index)];
  const double top = ScaleMaximum();
  const double span = top > base ? top - base : 1;
  const int scale = HeartRateScale(drawHeight);
  // Within the chart whatever the value, as for ordinary bars.
  auto height = [&](double value) {
    return TruncateToInt(std::clamp((value - base) * scale / span, 0.0, static_cast<double>(std::max(scale, 0))));
  };
  int hMin = height(bar.values[0]);
  int hAvg = height(bar.values[1]);
  int hMax = height(bar.values[2]);
  if (hMax < hAvg) {
    hAvg = hMax;
    heights.corrected = true;
  }
  if (hAvg < hMin) {
    hMin = hAvg;
    heights.corrected = true;
  }
  auto finish = [this](int h) {
    if (m_style.threeD) h -= 12;
    return std::max(h - 2, 0);
  };
  heights.minimum = finish(hMin);
  heights.average = finish(hAvg);
  heights.maximum = finish(hMax);
  return heights;
}

int BarList::TipIndex(int mouseX, int drawWidth) const {
  const double offset = CentringOffset(drawWidth);
  const double scale = drawWidth / (TotalWidth() + 2 * offset);
  const double slot = scale * m_style.barWidth + scale * m_style.barGap;
  if (!(slot > 0)) return -1;
  const double position = (mouseX - (offset * scale + 25)) / slot;
  if (position <= -1 || position >= Count()) return -1;
  const int index = static_cast<int>(position);
  return index < Count() ? index : -1;
}

std::string BarList::TipText(int index) const {
  if (index < 0 || index >= Count()) return {};
  const Bar& bar = m_bars[static_cast<std::size_t>(index)];
  std::string text = bar.tipLabel + "\n";
  if (m_style.mode == kHeartRateMode) {
    text += Printf("Min, Ave, Max\n%d, %d, %d\n", TruncateToInt(bar.values[0]), TruncateToInt(bar.values[1]),
                   TruncateToInt(bar.values[2]));
  } else if (m_style.integerValues) {
    text += Printf("%d\n", TruncateToInt(bar.values[0]));
  } else {
    text += Printf("%0.02f\n", bar.values[0]);
  }
  if (m_style.percentLine) text += Printf("%0.02f%%\n", bar.values[0] * 100 / ScaleMaximum());
  return text;
}

std::string BarList::ValueLabel(double value) const {
  if (m_style.valueLabelKind == 0) return Printf("%0.01f%%", value * 100 / ScaleMaximum());
  if (m_style.integerValues || value > 1000) return Printf("%0d", TruncateToInt(value));
  return Printf("%0.02f", value);
}

}  // namespace tempovia
