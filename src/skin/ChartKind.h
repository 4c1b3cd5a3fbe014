#pragma once
// What the main window's chart area shows, and the colour of each measure.
// The numbers are stored nowhere but are used as indexes by the windows.

#include "Rgb.h"

namespace tempovia {

enum class ChartKind { Steps = 0, Calories = 1, HeartRate = 2, Distance = 3, ExerciseWalking = 4 };

constexpr ChartKind kAllChartKinds[] = {ChartKind::Steps, ChartKind::Calories, ChartKind::HeartRate,
                                        ChartKind::Distance, ChartKind::ExerciseWalking};

// The colours of the five measures, shared by the dashboard rows and the bars.
constexpr Rgb kStepsColour{247, 198, 0};
constexpr Rgb kDistanceColour{133, 194, 39};
constexpr Rgb kCaloriesColour{103, 123, 182};
constexpr Rgb kHeartRateColour{216, 41, 24};
constexpr Rgb kExerciseColour{129, 196, 161};

constexpr Rgb MeasureColour(ChartKind kind) {
  switch (kind) {
    case ChartKind::Steps:
      return kStepsColour;
    case ChartKind::Calories:
      return kCaloriesColour;
    case ChartKind::HeartRate:
      return kHeartRateColour;
    case ChartKind::Distance:
      return kDistanceColour;
    case ChartKind::ExerciseWalking:
      return kExerciseColour;
  }
  return kBlack;
}

// Lower-case names for file names and messages ("heart-rate").
const char* ChartKindName(ChartKind kind);

}  // namespace tempovia
