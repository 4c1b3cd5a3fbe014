#pragma once
// What the dashboard's labels say, from the stored records and the unit
// choices: the day summary, the user panel and the rows of the exercise table.
// The stored records never change with the units; only these texts do.

#include <array>
#include <string>

#include "skin/SkinLayout.h"
#include "store/DayRecord.h"
#include "store/LocalUserRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {

// The unit choices of user.set, as every display reads them.
struct Units {
  bool miles = false;   // distances, speeds and lengths imperial
  bool pounds = false;  // weights in pounds
};

// The coloured rows of the summary (UTF-8).
struct SummaryTexts {
  std::string steps;
  std::string distance;
  std::string calories;
  std::string heartRate;
  std::string exercise;
};

// The fat burnt and average speed values beside their captions.
struct InfoTexts {
  std::string fatBurnt;
  std::string averageSpeed;
};

// The values of the user panel, in the order of its caption rows ("Name:",
// "Height:", "Weight:", "Stride", "  (Walking):", "  (Running):", "Age:",
// "Sex:"; the value beside "Stride" stays empty), and the BMI.
struct UserPanelTexts {
  std::array<std::string, 8> values;
  std::string bmi;
};

using ExerciseTableTexts = std::array<std::array<std::string, kExerciseColumns>, kExerciseRows>;

SummaryTexts DaySummaryTexts(const DayRecord& day, const Units& units);
InfoTexts DayInfoTexts(const DayRecord& day, const Units& units);
UserPanelTexts UserPanel(const LocalUserRecord& user, const Units& units);
// One row of the exercise table: its running number and the session's cells.
std::array<std::string, kExerciseColumns> ExerciseRowTexts(int number, const StoredExercise& session,
                                                           const Units& units);

}  // namespace tempovia
