#include "report/CapturePlacement.h"

namespace tempovia {

bool ReachesOutside(const ScreenRect& window, const ScreenRect& screen) {
  return window.x < screen.x || window.y < screen.y || window.x + window.width > screen.x + screen.width ||
         window.y + window.height > screen.y + screen.height;
}

ScreenRect CentredOn(const ScreenRect& window, const ScreenRect& desktop) {
  return ScreenRect{desktop.x + (desktop.width - window.width) / 2, desktop.y + (desktop.height - window.height) / 2,
                    window.width, window.height};
}

}  // namespace tempovia
