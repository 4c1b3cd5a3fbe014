#pragma once
// The chart's back wall and value scale: band spacing and positions, and the
// labels of the scale with their texts.

#include <string>
#include <vector>

#include "skin/Rgb.h"
#include "skin/SkinLayout.h"

namespace tempovia {

struct ChartGrid {
  int verticalLines = 0;    // 0: use the default spacing
  int horizontalLines = 0;  // 0: use the default spacing
  int defaultSpacing = 10;
  Rgb bandA{220, 220, 220};  // even bands and the floor
  Rgb bandB{190, 190, 190};  // odd bands
  Rgb edge{192, 192, 192};   // floor and wall edges
  std::string unitLabel;     // top-left corner
};

// The wall's left edge, width and floor line for a client area.
constexpr int WallLeft(const Box& client) {
  return client.x + 30;
}
constexpr int WallWidth(const Box& client) {
  return client.width - 60;
}
constexpr int WallBottom(const Box& client) {
  return client.Bottom() - 45;
}

// Height of one band of the back wall (at least 1).
int BandSpacing(const ChartGrid& grid, const Box& client);
// Distance between the vertical lines of the other grid style (at least 1).
int VerticalLineSpacing(const ChartGrid& grid, const Box& client);

// Top edges of the bands, lowest (band 0) first.
std::vector<int> BandTops(const ChartGrid& grid, const Box& client);

struct ScaleLabel {
  int index = 0;  // position number; only odd ones are labelled
  int y = 0;      // top of the 10-pixel text box
  std::string text;
};

// The labelled positions of the value scale. Positions step 3 pixels less
// than the bands; maximum and base are the values at the top and the floor.
std::vector<ScaleLabel> ScaleLabels(const ChartGrid& grid, const Box& client, double maximum, double base,
                                    bool integerValues);

// The text of one scale label: value is base + d, d its height above the base.
std::string ScaleText(double value, double d, bool integerValues);

}  // namespace tempovia
