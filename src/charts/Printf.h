#pragma once
// printf-style formatting into a std::string, for texts whose formats are
// fixed by the look of the charts ("%0.02f", "%.1fe+%d", ...).

#include <string>

namespace tempovia {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A double truncated toward zero for "%d", kept inside int's range (NaN gives 0)
// so a wild value never becomes undefined behaviour.
int TruncateToInt(double value);

}  // namespace tempovia
