#pragma once
// How wide a period the chart shows, and the bar geometry of each.

namespace tempovia {

enum class ChartPeriod { Week = 1, Month = 2, Year = 3 };

struct BarGeometry {
  int width;
  int gap;
};

constexpr BarGeometry GeometryOf(ChartPeriod period) {
  switch (period) {
    case ChartPeriod::Week:
      return {26, 50};
    case ChartPeriod::Month:
      return {22, 3};
    case ChartPeriod::Year:
      break;
  }
  return {26, 40};
}

}  // namespace tempovia
