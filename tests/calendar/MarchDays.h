#pragma once
// The calendar tests' step files hold days of March 2008 with steps, a note
// or both.

#include <gtest/gtest.h>

#include <string>

#include "store/StepData.h"

namespace tempovia::test {

// Merges a day of March 2008 into the open file.
inline void StoreMarchDay(StepData& steps, int day, double count, const std::string& note) {
  DayRecord& r = steps.Current();
  r = DayRecord{};
  r.year = 8;
  r.month = 3;
  r.day = static_cast<std::uint8_t>(day);
  r.steps = count;
  r.note = note;
  EXPECT_TRUE(steps.MergeDay());
}

}  // namespace tempovia::test
