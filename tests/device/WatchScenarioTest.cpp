#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "device/WatchScenario.h"

namespace tempovia {
namespace {

using namespace std::chrono;

constexpr year_month_day kLastDay{year{2024}, March, day{3}};

sys_days DateOf(int year, int month, int day) {
  return sys_days{year_month_day{std::chrono::year{2000 + year}, std::chrono::month{static_cast<unsigned>(month)},
                                 std::chrono::day{static_cast<unsigned>(day)}}};
}

int Seconds(int h, int m, int s) {
  return h * 3600 + m * 60 + s;
}

TEST(WatchScenario, TheSameSeedAndDayGiveTheSameWeek) {
  EXPECT_EQ(WatchScenario::ForSeed(5, kLastDay).Image(), WatchScenario::ForSeed(5, kLastDay).Image());
  EXPECT_NE(WatchScenario::ForSeed(5, kLastDay).Image(), WatchScenario::ForSeed(6, kLastDay).Image());
  EXPECT_NE(WatchScenario::ForSeed(5, kLastDay).Image(),
            WatchScenario::ForSeed(5, year_month_day{sys_days{kLastDay} - days{1}}).Image());
}

TEST(WatchScenario, AWeekOfAWalkerAsTheWatchKeepsIt) {
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const WatchScenario scenario = WatchScenario::ForSeed(seed, kLastDay);
    const DecodedWatchImage d = DecodeWatchImage(scenario.Image());
    ASSERT_TRUE(d.userValid);
    const UserRecord& user = d.user;
    EXPECT_TRUE(user.Height() >= 150 && user.Height() <= 200);
    const double bmi = user.Weight() / (user.Height() / 100.0 * user.Height() / 100.0);
    EXPECT_TRUE(bmi > 19 && bmi < 28.5) << bmi;
    EXPECT_NEAR(user.Stride(), user.Height() * 0.42, user.Height() * 0.03);
    EXPECT_EQ(user.Flags(), 0x30);

    // Seven days, newest first round the ring, one calendar day apart.
    ASSERT_EQ(user.DayCount(), 7);
    for (int p = 0; p < 7; ++p) {
      const int slot = user.SlotAtPosition(p);
      ASSERT_EQ(slot, (scenario.NewestDaySlot() - p + 7) % 7);
      const StepDay& day = d.steps.Slot(slot);
      SCOPED_TRACE("day slot " + std::to_string(slot));
      EXPECT_EQ(day.valid, 1);
      EXPECT_EQ(DateOf(day.year, day.month, day.day), sys_days{kLastDay} - days{p});
      EXPECT_TRUE(day.steps >= 2000 && day.steps <= 40000) << day.steps;
      EXPECT_NEAR(day.distance, day.steps * user.Stride() / 100000.0, 0.006);
      EXPECT_TRUE(day.avgSpeed >= 3.5 && day.avgSpeed <= 6.0) << day.avgSpeed;
      EXPECT_GT(day.calories, 0);
      EXPECT_TRUE(day.fatBurnt > 0 && day.fatBurnt < day.calories / 9) << day.fatBurnt;
      EXPECT_TRUE(day.minHeartRate >= 40 && day.minHeartRate < day.avgHeartRate &&
                  day.avgHeartRate < day.maxHeartRate && day.maxHeartRate <= 200);
      const int exercise = Seconds(day.exerciseHours, day.exerciseMinutes, day.exerciseSeconds);
      EXPECT_TRUE(exercise > 0 && exercise < 6 * 3600) << exercise;
    }

    // Sessions fill slots from 0 in the order they happened; newest first in the table.
    const CExerciseRecord& sessions = d.exercises;
    ASSERT_TRUE(sessions.Count() >= 1 && sessions.Count() <= 7);
    std::int64_t previous = 0;
    for (int p = 0; p < sessions.Count(); ++p) EXPECT_EQ(sessions.SlotAtPosition(p), sessions.Count() - 1 - p);
    for (int k = 0; k < sessions.Count(); ++k) {
      const ExerciseEntry& e = sessions.Entry(k);
      SCOPED_TRACE("session slot " + std::to_string(k));
      EXPECT_EQ(e.valid, 1);
      const sys_days date = DateOf(e.year, e.month, e.day);
      EXPECT_TRUE(date <= sys_days{kLastDay} && date > sys_days{kLastDay} - days{7});
      const std::int64_t start =
          date.time_since_epoch().count() * 86400 + Seconds(e.startHour, e.startMinute, e.startSecond);
      EXPECT_GE(start, previous);
      previous = start;
      const double minutes = Seconds(e.durationHours, e.durationMinutes, e.durationSeconds) / 60.0;
      EXPECT_TRUE(minutes >= 15 && minutes <= 95) << minutes;
      EXPECT_TRUE(e.steps >= minutes * 99 && e.steps <= minutes * 129) << e.steps;
      EXPECT_NEAR(e.avgSpeed, e.distance / (minutes / 60), 0.05);
      EXPECT_TRUE(e.minHeartRate < e.avgHeartRate && e.avgHeartRate < e.maxHeartRate);
      // The day's totals include the session.
      for (int s = 0; s < 7; ++s) {
        const StepDay& day = d.steps.Slot(s);
        if (DateOf(day.year, day.month, day.day) != date) continue;
        EXPECT_GT(day.steps, e.steps);
        EXPECT_GE(Seconds(day.exerciseHours, day.exerciseMinutes, day.exerciseSeconds), minutes * 60);
      }
    }

    // The clock was last set on one of the last three days.
    const auto& clock = user.Clock();
    const auto bcd = [](int b) { return b / 16 * 10 + b % 16; };
    const sys_days synced = DateOf(bcd(clock[0]), bcd(clock[1]), bcd(clock[2]));
    EXPECT_TRUE(synced <= sys_days{kLastDay} && synced >= sys_days{kLastDay} - days{2});
    if (HasFailure()) return;
  }
}

TEST(WatchScenario, KeepsTheWeekWithinTheYearsTheWatchDates) {
  const struct {
    year_month_day asked;
    year_month_day newest;
  } cases[] = {
      {{year{2040}, June, day{1}}, {year{2035}, December, day{31}}},
      {{year{1999}, June, day{1}}, {year{2000}, January, day{7}}},
      {{year{2000}, January, day{7}}, {year{2000}, January, day{7}}},
  };
  for (const auto& c : cases) {
    const DecodedWatchImage d = DecodeWatchImage(WatchScenario::ForSeed(1, c.asked).Image());
    const StepDay& newest = d.steps.Slot(d.user.SlotAtPosition(0));
    EXPECT_EQ(DateOf(newest.year, newest.month, newest.day), sys_days{c.newest});
  }
}

}  // namespace
}  // namespace tempovia
