#include "skin/SkinLayout.h"

namespace tempovia {

int HitTest(std::span<const HitRect> rects, int x, int y) {
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

bool MainAreaActive(int area, ChartKind kind) {
  const bool table = kind == ChartKind::ExerciseWalking;
  if (area >= kAreaWeekly && area <= kAreaNextPeriod) return !table;
  if (area == kAreaTableUp || area == kAreaTableDown) return table;
  return area >= 0 && area < kMainAreaCount;
}

int MainHitTest(int x, int y, ChartKind kind) {
  // Inactive areas are skipped rather than matched: YEARLY overlaps the top
  // rows of the table's down arrow, and on the exercise skin (which shows no
  // YEARLY) a click there must scroll, not drag the window.
  for (int area = 0; area < kMainAreaCount; ++area) {
    if (MainAreaActive(area, kind) && kMainAreas[area].Contains(x, y)) return area;
  }
  return kAreaNone;
}

int LoginHitTest(int x, int y) {
  return HitTest(kLoginAreas, x, y);
}

}  // namespace tempovia
