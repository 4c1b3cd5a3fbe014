#pragma once
// What the main window's chart area shows, and what goes with each kind: its
// colour (shared by the dashboard rows and the bars), the chart's title and
// unit label, and the caption of its skin.

#include "skin/Rgb.h"

namespace tempovia {

enum class ChartKind { Steps = 0, Calories = 1, HeartRate = 2, Distance = 3, ExerciseWalking = 4 };

constexpr ChartKind kAllChartKinds[] = {ChartKind::Steps, ChartKind::Calories, ChartKind::HeartRate,
                                        ChartKind::Distance, ChartKind::ExerciseWalking};

// The colours of the five measures.
constexpr Rgb kStepsColour{247, 198, 0};
constexpr Rgb kDistanceColour{133, 194, 39};
constexpr Rgb kCaloriesColour{103, 123, 182};
constexpr Rgb kHeartRateColour{216, 41, 24};
constexpr Rgb kExerciseColour{129, 196, 161};

struct ChartKindInfo {
  const char* name;       // lower case, for file names: "heart-rate"
  const char* caption;    // on the skin's picture: "HEART RATE"
  const char* title;      // of the chart: "HEART RATE"
  const char* unitLabel;  // metric units
  const char* imperialUnitLabel;
  Rgb colour;
};

inline constexpr ChartKindInfo kChartKindInfo[] = {
    {"steps", "STEPS", "TOTAL STEPS", "STEP", "STEP", kStepsColour},
    {"calories", "CALORIES", "TOTAL CALORIES", "kCal", "kCal", kCaloriesColour},
    {"heart-rate", "HEART RATE", "HEART RATE", "BPM", "BPM", kHeartRateColour},
    {"distance", "DISTANCE", "TOTAL DISTANCE", "KM", "MILE", kDistanceColour},
    {"exercise", "EXERCISE", "Exercise Walking", "MIN", "MIN", kExerciseColour},
};

constexpr const ChartKindInfo& InfoOf(ChartKind kind) {
  return kChartKindInfo[static_cast<int>(kind)];
}
constexpr Rgb MeasureColour(ChartKind kind) {
  return InfoOf(kind).colour;
}
constexpr const char* ChartKindName(ChartKind kind) {
  return InfoOf(kind).name;
}

}  // namespace tempovia
