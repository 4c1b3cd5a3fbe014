#include "device/WatchScenario.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace tempovia {
namespace {

using namespace std::chrono;

// std::mt19937's output is fixed by the standard, the distributions are not:
// draw bounded numbers by hand so every platform builds the same week.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : m_engine(seed) {}
  int Between(int low, int high) {
    const auto range = static_cast<std::uint32_t>(high - low + 1);
    return low + static_cast<int>(m_engine() % range);
  }
  double Between(double low, double high) {
    return low + (high - low) * (static_cast<double>(m_engine()) / static_cast<double>(std::mt19937::max()));
  }

 private:
  std::mt19937 m_engine;
};

double Round(double value, int scale) {
  return std::round(value * scale) / scale;
}

struct Session {
  int dayIndex = 0;  // 0 = oldest day of the week
  ExerciseEntry entry;
};

year_month_day Clamp(year_month_day day) {
  const year_month_day first{year{2000}, January, std::chrono::day{7}};
  const year_month_day last{year{2035}, December, std::chrono::day{31}};
  if (!day.ok()) return last;
  if (sys_days{day} < sys_days{first}) return first;
  if (sys_days{day} > sys_days{last}) return last;
  return day;
}

void SetDate(year_month_day date, std::uint8_t& y, std::uint8_t& m, std::uint8_t& d) {
  y = static_cast<std::uint8_t>(static_cast<int>(date.year()) - 2000);
  m = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
  d = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
}

// The seven days of the week shown, oldest first.
class Week {
 public:
  explicit Week(year_month_day lastDay) : m_end(Clamp(lastDay)) {}
  year_month_day DateOf(int dayIndex) const { return year_month_day{m_end - days{6 - dayIndex}}; }

 private:
  sys_days m_end;
};

// The wearer, as last written by the host.
void DrawWearer(Dice& dice, WatchImageValues& v) {
  v.height = dice.Between(152, 196);
  const double bmi = dice.Between(19.5, 28.0);
  v.weight = static_cast<int>(std::lround(bmi * v.height * v.height / 10000.0));
  v.stride = static_cast<int>(std::lround(v.height * dice.Between(0.40, 0.44)));
  v.word = static_cast<std::uint16_t>(dice.Between(0, 0xFFFF));
  v.flags = 0x30;  // clock and settings both written by a host
}

ExerciseEntry DrawSession(Dice& dice, const WatchImageValues& v, year_month_day date) {
  ExerciseEntry e;
  SetDate(date, e.year, e.month, e.day);
  e.startHour = static_cast<std::uint8_t>(dice.Between(6, 19));
  e.startMinute = static_cast<std::uint8_t>(dice.Between(0, 59));
  e.startSecond = static_cast<std::uint8_t>(dice.Between(0, 59));
  const int seconds = dice.Between(15 * 60, 95 * 60);
  e.durationHours = static_cast<std::uint8_t>(seconds / 3600);
  e.durationMinutes = static_cast<std::uint8_t>(seconds / 60 % 60);
  e.durationSeconds = static_cast<std::uint8_t>(seconds % 60);
  e.durationHundredths = static_cast<std::uint8_t>(dice.Between(0, 99));
  const double minutes = seconds / 60.0;
  e.steps = std::round(minutes * dice.Between(100.0, 128.0));
  // Brisk walking lengthens the stride a little.
  e.distance = Round(e.steps * v.stride * dice.Between(1.02, 1.10) / 100000.0, 100);
  e.avgSpeed = Round(e.distance / (seconds / 3600.0), 100);
  e.calories = Round(0.55 * v.weight * e.distance, 10);
  e.fatBurnt = Round(e.calories * 0.45 / 9.0, 10);
  e.avgHeartRate = dice.Between(105, 138);
  e.minHeartRate = dice.Between(72, 95);
  e.maxHeartRate = e.avgHeartRate + dice.Between(10, 32);
  return e;
}

// The week's sessions in the order they happened.
std::vector<Session> DrawSessions(Dice& dice, const WatchImageValues& v, const Week& week) {
  const int sessionCount = dice.Between(1, kSlotCount);
  std::vector<Session> sessions;
  for (int j = 0; j < sessionCount; ++j) {
    Session s;
    // Nobody walks three sessions a day all week; two a day at most.
    do {
      s.dayIndex = dice.Between(0, 6);
    } while (std::count_if(sessions.begin(), sessions.end(),
                           [&](const Session& other) { return other.dayIndex == s.dayIndex; }) >= 2);
    s.entry = DrawSession(dice, v, week.DateOf(s.dayIndex));
    sessions.push_back(s);
  }
  std::sort(sessions.begin(), sessions.end(), [](const Session& a, const Session& b) {
    const auto key = [](const Session& s) {
      return s.dayIndex * 86400 + s.entry.startHour * 3600 + s.entry.startMinute * 60 + s.entry.startSecond;
    };
    return key(a) < key(b);
  });
  return sessions;
}

// The watch fills session slots in the order the sessions happened.
void PlaceSessions(const std::vector<Session>& sessions, WatchImageValues& v) {
  std::vector<int> sessionSlotsNewestFirst;
  for (std::size_t j = 0; j < sessions.size(); ++j) {
    v.exercises[j] = sessions[j].entry;
    sessionSlotsNewestFirst.insert(sessionSlotsNewestFirst.begin(), static_cast<int>(j));
  }
  v.SetExerciseOrder(sessionSlotsNewestFirst);
}

// One day's totals; they include the day's sessions.
void DrawDay(Dice& dice, const WatchImageValues& v, const std::vector<Session>& sessions, int dayIndex, int baseSteps,
             StepDay& d) {
  int exerciseSeconds = 0;
  double sessionSteps = 0;
  for (const Session& s : sessions) {
    if (s.dayIndex != dayIndex) continue;
    exerciseSeconds += s.entry.durationHours * 3600 + s.entry.durationMinutes * 60 + s.entry.durationSeconds;
    sessionSteps += s.entry.steps;
  }
  d.steps = static_cast<int>(std::lround(baseSteps * dice.Between(0.45, 1.40) + sessionSteps));
  // Brisk stretches outside sessions count as exercise time too.
  exerciseSeconds += dice.Between(5 * 60, 40 * 60);
  d.exerciseHours = exerciseSeconds / 3600;
  d.exerciseMinutes = exerciseSeconds / 60 % 60;
  d.exerciseSeconds = exerciseSeconds % 60;
  d.distance = Round(d.steps * v.stride / 100000.0, 100);
  d.avgSpeed = Round(dice.Between(3.9, 5.4), 100);
  d.calories = Round(0.55 * v.weight * d.distance, 10);
  d.fatBurnt = Round(d.calories * 0.4 / 9.0, 10);
  d.avgHeartRate = dice.Between(68, 88);
  d.minHeartRate = dice.Between(48, 62);
  d.maxHeartRate = dice.Between(112, 152);
  // Two figures the watch keeps without showing them: small counts.
  d.aux1 = exerciseSeconds / 60;
  d.aux2 = dice.Between(0, 24);
}

// Days go round a ring of seven slots; after a week all of them hold a day.
void DrawDays(Dice& dice, const std::vector<Session>& sessions, const Week& week, int newestSlot, WatchImageValues& v) {
  const int baseSteps = dice.Between(5500, 11000);
  std::vector<int> daySlotsNewestFirst;
  for (int i = 6; i >= 0; --i) daySlotsNewestFirst.push_back((newestSlot - (6 - i) + 7) % 7);
  for (int i = 0; i < 7; ++i) {
    StepDay& d = v.days[static_cast<std::size_t>(daySlotsNewestFirst[static_cast<std::size_t>(6 - i)])];
    SetDate(week.DateOf(i), d.year, d.month, d.day);
    DrawDay(dice, v, sessions, i, baseSteps, d);
  }
  v.SetDayOrder(daySlotsNewestFirst);
}

// The host last set the clock on one of the last three days.
void DrawClock(Dice& dice, const Week& week, WatchImageValues& v) {
  const year_month_day synced = week.DateOf(dice.Between(4, 6));
  v.clockYear = static_cast<int>(synced.year()) - 2000;
  v.clockMonth = static_cast<int>(static_cast<unsigned>(synced.month()));
  v.clockDay = static_cast<int>(static_cast<unsigned>(synced.day()));
  v.clockHour = dice.Between(7, 22);
  v.clockMinute = dice.Between(0, 59);
}

}  // namespace

// The draws keep their order: a seed must build the same week as before.
WatchScenario WatchScenario::ForSeed(std::uint32_t seed, year_month_day lastDay) {
  Dice dice(seed);
  WatchScenario scenario;
  scenario.m_seed = seed;
  WatchImageValues& v = scenario.m_values;
  const Week week(lastDay);
  DrawWearer(dice, v);
  // Sessions first: a day's totals include its sessions.
  const std::vector<Session> sessions = DrawSessions(dice, v, week);
  PlaceSessions(sessions, v);
  scenario.m_newestDaySlot = dice.Between(0, kSlotCount - 1);
  DrawDays(dice, sessions, week, scenario.m_newestDaySlot, v);
  DrawClock(dice, week, v);
  return scenario;
}

}  // namespace tempovia
