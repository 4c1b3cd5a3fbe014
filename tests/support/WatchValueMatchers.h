#pragma once
// Field-by-field comparisons of decoded days and sessions with the values an
// image was built from, naming the slot on failure.

#include "records/ExerciseEntry.h"
#include "records/StepDay.h"

namespace tempovia::test {

// Compares the date and figure fields (not valid, raw or checksum).
void ExpectSameDay(const StepDay& got, const StepDay& want, int slot);
// Compares the date, time, duration and figure fields (not valid or checksum).
void ExpectSameExercise(const ExerciseEntry& got, const ExerciseEntry& want, int slot);

}  // namespace tempovia::test
