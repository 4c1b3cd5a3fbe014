#include "ChartKind.h"

namespace tempovia {

const char* ChartKindName(ChartKind kind) {
  switch (kind) {
    case ChartKind::Steps:
      return "steps";
    case ChartKind::Calories:
      return "calories";
    case ChartKind::HeartRate:
      return "heart-rate";
    case ChartKind::Distance:
      return "distance";
    case ChartKind::ExerciseWalking:
      return "exercise";
  }
  return "unknown";
}

}  // namespace tempovia
