#pragma once
// What the chart state needs of a bar chart: to draw a whole picture. CBarChart
// is the real one; tests keep the pictures they are given.

#include "charts/ChartPicture.h"

namespace tempovia {

class ChartControl {
 public:
  virtual ~ChartControl() = default;

  // Shows this picture in place of the last one, at once.
  virtual void Draw(const ChartPicture& picture) = 0;
};

}  // namespace tempovia
