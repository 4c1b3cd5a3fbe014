#include "charts/ChartScale.h"

#include <algorithm>

#include "base/Printf.h"

namespace tempovia {

int BandSpacing(const ChartGrid& grid, const Box& client) {
  const int spacing = grid.horizontalLines != 0 ? (client.height - 75) / grid.horizontalLines : grid.defaultSpacing;
  return std::max(spacing, 1);
}

int VerticalLineSpacing(const ChartGrid& grid, const Box& client) {
  const int spacing = grid.verticalLines != 0 ? (client.width - 60) / grid.verticalLines : grid.defaultSpacing;
  return std::max(spacing, 1);
}

std::vector<int> BandTops(const ChartGrid& grid, const Box& client) {
  const int spacing = BandSpacing(grid, client);
  std::vector<int> tops;
  for (int y = WallBottom(client) - 24; y >= client.y + 5; y -= spacing) tops.push_back(y);
  return tops;
}

std::vector<ScaleLabel> ScaleLabels(const ChartGrid& grid, const Box& client, double maximum, double base,
                                    bool integerValues) {
  std::vector<ScaleLabel> labels;
  const int bands = static_cast<int>(BandTops(grid, client).size());
  if (bands == 0) return labels;
  if (maximum == 0) maximum = 1;
  // Bands of 3 pixels or less would not move the positions at all.
  const int step = std::max(BandSpacing(grid, client) - 3, 1);
  const int first = WallBottom(client) - 24;
  for (int i = 0; first - i * step >= client.y + 5; ++i) {
    if (i % 2 == 0) continue;
    const double d = i * (maximum - base) / bands;
    std::string text = ScaleText(base + d, d, integerValues);
    if (text == "0" && i != 1) text.clear();
    labels.push_back({i, first - i * step, std::move(text)});
  }
  return labels;
}

std::string ScaleText(double value, double d, bool integerValues) {
  if (d >= 1000000) {
    // Millions as the scale has always shown them; what no watch counts (a
    // figure from a foreign file) in plain exponent form, short enough for
    // the axis.
    const double millions = value / 1000000;
    return millions < 1000000 ? Printf("%.1fe+%d", millions, 6) : Printf("%.1e", value);
  }
  if (d >= 10) return integerValues ? Printf("%d", TruncateToInt(value)) : Printf("%.0f", value);
  return integerValues ? Printf("%d", TruncateToInt(value)) : Printf("%.2f", value);
}

}  // namespace tempovia
