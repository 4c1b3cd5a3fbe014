#include "dashboard/DashboardTexts.h"

#include <cmath>

#include "base/Printf.h"
#include "base/Windows1252.h"
#include "records/Units.h"

namespace tempovia {

namespace {

std::string LengthText(double cm, const Units& units) {
  const std::string text = HeightText(cm, units.miles);
  if (text.empty()) return text;
  return text + " " + LengthUnitLabel(units.miles);
}

}  // namespace

SummaryTexts DaySummaryTexts(const DayRecord& day, const Units& units) {
  SummaryTexts texts;
  // Rounded to one decimal first, then printed with one.
  const double calories = TruncateToInt(FiniteOrZero(day.calories) * 10 + 0.5) / 10.0;
  texts.calories = Printf("%.01f kCal", calories);
  texts.steps = Printf("%d", TruncateToInt(FiniteOrZero(day.steps) + 0.5));
  const int heartRate = TruncateToInt(day.avgHeartRate);
  texts.heartRate = heartRate < 0 ? std::string() : Printf("%d", heartRate);
  texts.distance = units.miles ? Printf("%.2f miles", FiniteOrZero(KmToMiles(FiniteOrZero(day.distance))))
                               : Printf("%.2f km", FiniteOrZero(day.distance));
  return texts;
}

InfoTexts DayInfoTexts(const DayRecord& day, const Units& units) {
  InfoTexts texts;
  const double fat = FiniteOrZero(day.fatBurnt) < 0 ? 0 : FiniteOrZero(day.fatBurnt);
  texts.fatBurnt = Printf("%.1f g  ", fat);
  const double speed = FiniteOrZero(day.avgSpeed) < 0 ? 0 : FiniteOrZero(day.avgSpeed);
  texts.averageSpeed =
      units.miles ? Printf("%.2f mile/hr  ", FiniteOrZero(KmToMiles(speed))) : Printf("%.2f km/hr  ", speed);
  return texts;
}

UserPanelTexts UserPanel(const LocalUserRecord& user, const Units& units) {
  UserPanelTexts panel;
  const double bmi = user.BodyMassIndex();
  panel.bmi = bmi > 0 && std::isfinite(bmi) ? Printf("%.2f  ", bmi) : std::string("- - -  ");
  panel.values[0] = Windows1252ToUtf8(user.name);
  panel.values[1] = LengthText(user.height, units);
  const std::string weight = WeightText(user.weight, units.pounds);
  panel.values[2] = weight.empty() ? weight : weight + " " + WeightUnitLabel(units.pounds);
  panel.values[4] = LengthText(user.walkingStride, units);
  panel.values[5] = LengthText(user.runningStride, units);
  panel.values[6] = CountText(user.age);
  panel.values[7] = user.sex == LocalUserRecord::kMale ? "Male" : user.sex == LocalUserRecord::kFemale ? "Female" : "";
  return panel;
}

std::array<std::string, kExerciseColumns> ExerciseRowTexts(int number, const StoredExercise& s, const Units& units) {
  return {
      Printf("%d", number),
      Printf("%04d-%02d-%02d %02d:%02d:%02d", s.year + 2000, s.month, s.day, s.startHour, s.startMinute, s.startSecond),
      Printf("%02d:%02d:%02d.%02d", s.durationHours, s.durationMinutes, s.durationSeconds, s.durationHundredths),
      Printf("%.2f", FiniteOrZero(units.miles ? KmToMiles(s.avgSpeed) : s.avgSpeed)),
      Printf("%.2f", FiniteOrZero(units.miles ? KmToMiles(s.distance) : s.distance)),
      Printf("%.1f", FiniteOrZero(s.calories)),
      Printf("%.1f", FiniteOrZero(s.fatBurnt)),
      Printf("%d", TruncateToInt(s.avgHeartRate)),
      Printf("%d", TruncateToInt(s.maxHeartRate)),
      Printf("%d", TruncateToInt(s.minHeartRate)),
      Printf("%d", TruncateToInt(s.steps)),
  };
}

}  // namespace tempovia
