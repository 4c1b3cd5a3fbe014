#include "WatchValueMatchers.h"

#include <gtest/gtest.h>

#include <string>

namespace tempovia::test {

void ExpectSameDay(const StepDay& got, const StepDay& want, int slot) {
  SCOPED_TRACE("day slot " + std::to_string(slot));
  EXPECT_EQ(got.year, want.year);
  EXPECT_EQ(got.month, want.month);
  EXPECT_EQ(got.day, want.day);
  EXPECT_EQ(got.steps, want.steps);
  EXPECT_EQ(got.calories, want.calories);
  EXPECT_EQ(got.distance, want.distance);
  EXPECT_EQ(got.avgSpeed, want.avgSpeed);
  EXPECT_EQ(got.aux1, want.aux1);
  EXPECT_EQ(got.aux2, want.aux2);
  EXPECT_EQ(got.avgHeartRate, want.avgHeartRate);
  EXPECT_EQ(got.maxHeartRate, want.maxHeartRate);
  EXPECT_EQ(got.minHeartRate, want.minHeartRate);
  EXPECT_EQ(got.exerciseHours, want.exerciseHours);
  EXPECT_EQ(got.exerciseMinutes, want.exerciseMinutes);
  EXPECT_EQ(got.exerciseSeconds, want.exerciseSeconds);
  EXPECT_EQ(got.fatBurnt, want.fatBurnt);
}

void ExpectSameExercise(const ExerciseEntry& got, const ExerciseEntry& want, int slot) {
  SCOPED_TRACE("exercise slot " + std::to_string(slot));
  EXPECT_EQ(got.year, want.year);
  EXPECT_EQ(got.month, want.month);
  EXPECT_EQ(got.day, want.day);
  EXPECT_EQ(got.startHour, want.startHour);
  EXPECT_EQ(got.startMinute, want.startMinute);
  EXPECT_EQ(got.startSecond, want.startSecond);
  EXPECT_EQ(got.durationHours, want.durationHours);
  EXPECT_EQ(got.durationMinutes, want.durationMinutes);
  EXPECT_EQ(got.durationSeconds, want.durationSeconds);
  EXPECT_EQ(got.durationHundredths, want.durationHundredths);
  EXPECT_EQ(got.steps, want.steps);
  EXPECT_EQ(got.calories, want.calories);
  EXPECT_EQ(got.distance, want.distance);
  EXPECT_EQ(got.minHeartRate, want.minHeartRate);
  EXPECT_EQ(got.avgHeartRate, want.avgHeartRate);
  EXPECT_EQ(got.maxHeartRate, want.maxHeartRate);
  EXPECT_EQ(got.fatBurnt, want.fatBurnt);
  EXPECT_EQ(got.avgSpeed, want.avgSpeed);
}

}  // namespace tempovia::test
