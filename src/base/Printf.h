#pragma once
// printf-style formatting into a std::string, for texts whose formats are
// fixed ("%0.02f" on a chart, "Page %d" on a report, ...), and the one safe way
// to turn a stored double into an int.

#include <string>
#include <string_view>

namespace tempovia {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A double truncated toward zero for "%d", kept inside int's range (NaN gives 0)
// so a wild value never becomes undefined behaviour.
int TruncateToInt(double value);
// A stored figure to show: NaN and the infinities, which no measurement
// gives, show as 0 rather than as "nan" or "inf".
double FiniteOrZero(double value);
// A stored figure as text with the given decimals, NaN and the infinities
// as 0, and in exponent form from 10^12 up, where the fixed form would run
// to hundreds of digits.
std::string FigureText(double value, int decimals);

// A count with its noun in the right number: "1 entry", "2 entries", "0 entries".
std::string Counted(long long count, std::string_view one, std::string_view many);

}  // namespace tempovia
