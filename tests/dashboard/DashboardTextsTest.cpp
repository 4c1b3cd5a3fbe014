#include "dashboard/DashboardTexts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "dashboard/DayNote.h"

namespace tempovia {
namespace {

using ::testing::ElementsAre;

LocalUserRecord Anna() {
  LocalUserRecord user;
  user.name = "Zo\xEB";  // stored as Windows-1252
  user.height = 175.26;
  user.weight = 70;
  user.walkingStride = 72;
  user.runningStride = 0;
  user.age = 34;
  user.sex = LocalUserRecord::kFemale;
  return user;
}

TEST(DashboardTexts, TheUserPanelShowsEachMeasureInTheChosenUnits) {
  const UserPanelTexts metric = UserPanel(Anna(), {false, false});
  EXPECT_THAT(metric.values, ElementsAre("Zo\xC3\xAB", "175 cm", "70 kg", "", "72 cm", "", "34", "Female"));
  EXPECT_EQ(metric.bmi, "22.79  ");
  // Lengths and weights are chosen apart: feet and inches beside kilograms.
  const UserPanelTexts mixed = UserPanel(Anna(), {true, false});
  EXPECT_THAT(mixed.values, ElementsAre("Zo\xC3\xAB", "5'9\" ", "70 kg", "", "2'4\" ", "", "34", "Female"));
  const UserPanelTexts imperial = UserPanel(Anna(), {true, true});
  EXPECT_EQ(imperial.values[2], "154 Pound");
}

TEST(DashboardTexts, UnsetMeasuresAndUnknownSexShowNothing) {
  LocalUserRecord user;
  user.name = "New";
  user.sex = LocalUserRecord::kSexNotSet;
  user.weight = 60;
  const UserPanelTexts panel = UserPanel(user, {false, false});
  EXPECT_EQ(panel.bmi, "- - -  ");  // a height of 0 gives no BMI
  EXPECT_THAT(panel.values, ElementsAre("New", "", "60 kg", "", "", "", "", ""));
  user.sex = 7;  // a foreign file
  user.height = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(UserPanel(user, {false, false}).values[7], "");
  EXPECT_EQ(UserPanel(user, {false, false}).values[1], "");
  EXPECT_EQ(UserPanel(user, {false, false}).values[0], "New");
}

TEST(DashboardTexts, TheDaySummaryRoundsAndConverts) {
  DayRecord day{};
  day.steps = 11233.5;
  day.calories = 483.149;
  day.distance = 8.09;
  day.avgHeartRate = 84.9;
  day.fatBurnt = 38.24;
  day.avgSpeed = 4.513;
  const SummaryTexts metric = DaySummaryTexts(day, {false, false});
  EXPECT_EQ(metric.steps, "11234");
  EXPECT_EQ(metric.calories, "483.1 kCal");
  EXPECT_EQ(metric.distance, "8.09 km");
  EXPECT_EQ(metric.heartRate, "84");
  EXPECT_EQ(metric.exercise, "");
  const InfoTexts info = DayInfoTexts(day, {false, false});
  EXPECT_EQ(info.fatBurnt, "38.2 g  ");
  EXPECT_EQ(info.averageSpeed, "4.51 km/hr  ");
  EXPECT_EQ(DaySummaryTexts(day, {true, false}).distance, "5.03 miles");
  EXPECT_EQ(DayInfoTexts(day, {true, false}).averageSpeed, "2.80 mile/hr  ");

  day.avgHeartRate = -1;
  day.fatBurnt = -3;
  day.avgSpeed = -2;
  EXPECT_EQ(DaySummaryTexts(day, {false, false}).heartRate, "");
  EXPECT_EQ(DayInfoTexts(day, {false, false}).fatBurnt, "0.0 g  ");
  EXPECT_EQ(DayInfoTexts(day, {false, false}).averageSpeed, "0.00 km/hr  ");
  day.calories = 0.05;  // rounded to one decimal first: 0.1
  EXPECT_EQ(DaySummaryTexts(day, {false, false}).calories, "0.1 kCal");
}

// A file written elsewhere may hold any figures: every text stays defined
// (the sanitizer build checks the arithmetic) and never reads "nan" or "inf".
TEST(DashboardTexts, AnyStoredFigureGivesAReadableText) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const double odd : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(), kInf, -kInf,
                           std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()}) {
    SCOPED_TRACE(odd);
    DayRecord day{};
    day.steps = day.calories = day.distance = day.avgHeartRate = day.fatBurnt = day.avgSpeed = odd;
    StoredExercise session{};
    session.steps = session.calories = session.distance = session.avgSpeed = session.fatBurnt = odd;
    session.minHeartRate = session.avgHeartRate = session.maxHeartRate = odd;
    LocalUserRecord user = Anna();
    user.height = user.weight = user.walkingStride = user.runningStride = odd;
    for (const Units units : {Units{false, false}, Units{true, true}}) {
      const SummaryTexts summary = DaySummaryTexts(day, units);
      const InfoTexts info = DayInfoTexts(day, units);
      const UserPanelTexts panel = UserPanel(user, units);
      std::vector<std::string> texts = {summary.steps, summary.calories,  summary.distance, summary.heartRate,
                                        info.fatBurnt, info.averageSpeed, panel.bmi};
      texts.insert(texts.end(), panel.values.begin(), panel.values.end());
      for (const std::string& cell : ExerciseRowTexts(1, session, units)) texts.push_back(cell);
      for (const std::string& text : texts) {
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
      }
    }
  }
}

TEST(DayNote, LinesAreStoredWithCarriageReturnsAndShownWithout) {
  EXPECT_EQ(NoteToStored("a\nb\n"), std::optional<std::string>("a\r\nb\r\n"));
  EXPECT_EQ(NoteFromStored("a\r\nb\rc\n"), "a\nb\nc\n");
  EXPECT_EQ(NoteFromStored("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  const std::string typed = "Zo\xC3\xAB ran 5 km\nthen swam";
  EXPECT_EQ(NoteFromStored(*NoteToStored(typed)), typed);
}

TEST(DayNote, ANoteThatCannotBeStoredWholeIsRefused) {
  EXPECT_EQ(NoteToStored("\xE2\x9C\x93 done"), std::nullopt);  // a check mark has no Windows-1252 byte
  EXPECT_EQ(NoteToStored(std::string("a\0b", 3)), std::nullopt);
  EXPECT_TRUE(NoteToStored(std::string(255, 'x')).has_value());
  EXPECT_EQ(NoteToStored(std::string(256, 'x')), std::nullopt);
  // A line break takes two stored bytes.
  EXPECT_EQ(StoredNoteLength(std::string(254, 'x') + "\n"), 256u);
  EXPECT_EQ(NoteToStored(std::string(254, 'x') + "\n"), std::nullopt);
  EXPECT_EQ(StoredNoteLength("\xC3\xA9"), 1u);
}

}  // namespace
}  // namespace tempovia
