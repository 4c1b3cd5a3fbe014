#pragma once
// Random but valid watch image values: every field within what its encoding
// holds, so that encoding and decoding give the same values back.

#include <random>

#include "records/WatchImage.h"

namespace tempovia::test {

StepDay RandomDay(std::mt19937& rng);
ExerciseEntry RandomExercise(std::mt19937& rng);
WatchImageValues RandomWatchValues(std::mt19937& rng);

}  // namespace tempovia::test
