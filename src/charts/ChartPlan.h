#pragma once
// A chart drawing as a list of fills and texts, in drawing order. The chart
// model computes it without any drawing surface; the widget paints it, so the
// geometry is tested on its own and the painting stays trivial.

#include <string>
#include <variant>
#include <vector>

#include "skin/Rgb.h"
#include "skin/SkinLayout.h"

namespace tempovia {

enum class ChartFont {
  Default,  // title, unit label and scale
  Label,    // value and axis labels of the bars
};

enum class TextAlign { Left, Centre, Right };

struct ChartFill {
  Box box;
  Rgb colour;
};

struct ChartText {
  Box box;
  std::string text;
  Rgb colour;
  ChartFont font = ChartFont::Default;
  TextAlign align = TextAlign::Left;
  bool verticalCentre = false;  // else at the top of the box
};

using ChartOp = std::variant<ChartFill, ChartText>;
using ChartPlan = std::vector<ChartOp>;

}  // namespace tempovia
