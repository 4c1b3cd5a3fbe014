#include "base/Printf.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace tempovia {

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
  }
  va_end(args);
  return text;
}

std::string Counted(long long count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  if (value <= kLow) return std::numeric_limits<int>::min();
  if (value >= kHigh) return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

double FiniteOrZero(double value) {
  return std::isfinite(value) ? value : 0;
}

std::string FigureText(double value, int decimals) {
  const double shown = FiniteOrZero(value);
  return std::fabs(shown) < 1e12 ? Printf("%.*f", decimals, shown) : Printf("%.1e", shown);
}

}  // namespace tempovia
