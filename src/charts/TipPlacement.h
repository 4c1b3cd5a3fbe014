#pragma once
// Where the chart's tip window goes, and how its text splits into lines.

#include <string>
#include <vector>

#include "skin/SkinLayout.h"

namespace tempovia {

constexpr int kTipWidth = 160;
constexpr int kTipHeight = 100;
constexpr int kTipDisplayMs = 4000;

// The tip's rectangle for the cursor at (x, y): below and to the right of the
// cursor, moved left to end 4 pixels inside the screen's right edge and moved
// up onto the screen's bottom edge when it would cross them.
Box PlaceTip(int cursorX, int cursorY, int width, int height, const Box& screen);

// The tip's lines: the header up to the first "\n", then one entry per
// following line. Text without any "\n" has no lines at all (the tip then
// shows only its frame).
std::vector<std::string> TipLines(const std::string& text);

}  // namespace tempovia
