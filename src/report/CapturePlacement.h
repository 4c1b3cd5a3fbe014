#pragma once
// Where a window goes while it is captured for the report: one reaching
// outside the screen is centred on the desktop first and moved back after.

namespace tempovia {

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// True when any edge of the window lies beyond the screen's.
bool ReachesOutside(const ScreenRect& window, const ScreenRect& screen);

// The window, same size, centred on the desktop (integer halves, so an odd
// spare pixel goes right and down).
ScreenRect CentredOn(const ScreenRect& window, const ScreenRect& desktop);

}  // namespace tempovia
