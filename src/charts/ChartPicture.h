#pragma once
// Everything a bar chart shows, as one value: the chart state builds it and
// the chart draws it in place of the last one. Texts are UTF-8.

#include <string>
#include <vector>

#include "charts/BarList.h"
#include "skin/Rgb.h"

namespace tempovia {

struct ChartPicture {
  bool shown = true;  // false while the exercise table takes the chart's place
  std::string title;
  std::string unitLabel;  // top-left corner
  Rgb background{240, 240, 240};
  BarStyle style;
  // Drawn as they are: values as BarList::ChartedValues gives them for the
  // style's mode.
  std::vector<Bar> bars;
  int gridLines = 0;  // bands of the back wall; 0 for the default spacing
  bool horizontalGrid = true;
  bool scale = true;
  bool toolTips = true;
  // A dashed line across the bars at this value, the scale reaching it; 0 for none.
  double goalLine = 0;

  friend bool operator==(const ChartPicture&, const ChartPicture&) = default;
};

}  // namespace tempovia
