#include "charts/ChartColour.h"

#include <algorithm>
#include <cstdlib>

namespace tempovia {
namespace {

// Channels are stored as bytes like a COLORREF; larger results wrap as there.
std::uint8_t Channel(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

Rgb Darken(Rgb colour, int n) {
  return {Channel(std::abs(colour.r - n)), Channel(std::abs(colour.g - n)), Channel(std::abs(colour.b - n))};
}

Rgb Blend(Rgb a, Rgb b, int percent) {
  auto mix = [percent](int ca, int cb) { return Channel((cb * 100 + (ca - cb) * percent) / 100); };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Rgb ColumnColour(Rgb colour, int k, int barWidth, bool shaded) {
  if (barWidth <= 0) return colour;
  const Rgb dark = Darken(colour, 86);
  auto ramp = [k, barWidth](int from, int to) { return Channel(from + (to - from) * k / barWidth); };
  const Rgb column{ramp(dark.r, colour.r), ramp(dark.g, colour.g), ramp(dark.b, colour.b)};
  if (shaded && k < barWidth / 2) return Blend(column, kWhite, std::min(5 * k + 32, 100));
  return column;
}

}  // namespace tempovia
