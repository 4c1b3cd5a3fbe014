#include <gtest/gtest.h>

#include <chrono>

#include "base/Clock.h"
#include "base/InstantClock.h"
#include "base/testing/FakeClock.h"

namespace tempovia {
namespace {

using namespace std::chrono_literals;

TEST(LocalDateTime, SerialRoundTripsAcrossLeapDaysAndYearEnds) {
  const LocalDateTime cases[] = {LocalDateTime::From(2000, 1, 1), LocalDateTime::From(2008, 2, 29, 12, 30, 5),
                                 LocalDateTime::From(2008, 12, 31, 23, 59, 59), LocalDateTime::From(2035, 12, 31),
                                 LocalDateTime::From(1969, 12, 31, 23, 0, 0)};
  for (const LocalDateTime& t : cases) EXPECT_EQ(LocalDateTime::FromSerial(t.Serial()), t);
  EXPECT_EQ(LocalDateTime::From(2009, 1, 1).Serial() - LocalDateTime::From(2008, 12, 31).Serial(), 86400);
  EXPECT_LT(LocalDateTime::From(2008, 12, 31, 23, 59, 59), LocalDateTime::From(2009, 1, 1));
}

TEST(FakeClock, SleepAdvancesTimeAndIsRecorded) {
  FakeClock clock(LocalDateTime::From(2009, 12, 31, 23, 59, 30));
  clock.Sleep(500ms);
  clock.Sleep(40000ms);
  EXPECT_EQ(clock.TotalSleptMs(), 40500);
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::int64_t>{500, 40000}));
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2010, 1, 1, 0, 0, 10));
}

TEST(FakeClock, SettingTheWallClockKeepsTheMonotonicScaleRunning) {
  FakeClock clock;
  clock.Advance(2000ms);
  clock.Set(LocalDateTime::From(2008, 3, 5, 8, 0, 0));
  EXPECT_EQ(clock.MonotonicMs(), 2000);
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2008, 3, 5, 8, 0, 0));
  clock.Advance(1000ms);
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2008, 3, 5, 8, 0, 1));
}

// The simulator's clock without pauses: it follows the clock under it (a fake
// one here, standing in for the real one) and never waits on it.
TEST(InstantClock, PausesMoveItOnWithoutWaitingAndTheClockUnderItKeepsCounting) {
  FakeClock real(LocalDateTime::From(2009, 12, 31, 23, 59, 52));
  real.Advance(7000ms);
  InstantClock clock(real);
  EXPECT_EQ(clock.Now(), real.Now());
  EXPECT_EQ(clock.MonotonicMs(), 7000);

  clock.Sleep(600ms);
  EXPECT_EQ(clock.Now(), real.Now()) << "less than a second of pauses";
  clock.Sleep(600ms);
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2010, 1, 1, 0, 0, 0));
  EXPECT_EQ(clock.MonotonicMs(), 8200);
  clock.Sleep(-5000ms);
  EXPECT_EQ(clock.MonotonicMs(), 8200) << "a negative pause never turns it back";
  EXPECT_EQ(real.TotalSleptMs(), 0) << "nothing waited";

  real.Advance(2000ms);
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2010, 1, 1, 0, 0, 2));
  EXPECT_EQ(clock.MonotonicMs(), 10200);
}

TEST(InstantClock, AChosenStartShiftsTheDateAndKeepsTheRealPassingOfTime) {
  FakeClock real(LocalDateTime::From(2026, 7, 14, 10, 0, 0));
  InstantClock clock(real, LocalDateTime::From(2009, 1, 5, 10, 0, 30));
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2009, 1, 5, 10, 0, 30));
  real.Advance(90000ms);
  clock.Sleep(3000ms);
  EXPECT_EQ(clock.Now(), LocalDateTime::From(2009, 1, 5, 10, 2, 3));
}

TEST(SystemClock, NowIsAPlausibleLocalTime) {
  const LocalDateTime now = SystemClockInstance().Now();
  EXPECT_TRUE(now.date.ok());
  EXPECT_GE(now.Year(), 2024);
  EXPECT_LT(now.hour, 24);
}

}  // namespace
}  // namespace tempovia
