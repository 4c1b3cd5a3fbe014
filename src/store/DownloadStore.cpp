#include "store/DownloadStore.h"

#include <optional>
#include <string>
#include <vector>

#include "base/Printf.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "DownloadStore";

constexpr char kCannotOpen[] = "Cannot open database";

Status Failed(const std::string& message) {
  TV_TRACE("Not stored : %s\n", message.c_str());
  return Status::Error(message);
}

// Puts the user's record back over its stored copy (a user deleted meanwhile
// is said, never passed off as saved).
Status WriteUserBack(UserData& users, const LocalUserRecord& user) {
  if (!users.IsOpen()) return Failed("The user database is not open");
  const Status stored = users.Store(user);
  return stored ? stored : Failed(stored.message());
}

std::string DayLabel(const StepDay& day) {
  return Printf("%04d-%02d-%02d", 2000 + day.year, day.month, day.day);
}

std::string SessionLabel(const ExerciseEntry& entry) {
  return Printf("%04d-%02d-%02d %02d:%02d:%02d", 2000 + entry.year, entry.month, entry.day, entry.startHour,
                entry.startMinute, entry.startSecond);
}

// "6 days (2026-12-03, ..., 2026-12-08)"; empty for none.
std::string Listed(const std::vector<std::string>& labels, const char* one, const char* many) {
  if (labels.empty()) return {};
  std::string text = Counted(static_cast<long long>(labels.size()), one, many) + " (";
  for (std::size_t i = 0; i < labels.size(); ++i) text += (i == 0 ? "" : ", ") + labels[i];
  return text + ")";
}

std::string Joined(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return a + b;
  return a + " and " + b;
}

}  // namespace

std::string PartlyStoredText(const DownloadStoreResult& result) {
  const bool someWritten = !result.daysWritten.empty() || !result.sessionsWritten.empty();
  const bool someNot = !result.daysNotWritten.empty() || !result.sessionsNotWritten.empty();
  if (!someWritten || !someNot) return {};
  return "Stored: " +
         Joined(Listed(result.daysWritten, "day", "days"), Listed(result.sessionsWritten, "session", "sessions")) +
         ".\nNot stored: " +
         Joined(Listed(result.daysNotWritten, "day", "days"),
                Listed(result.sessionsNotWritten, "session", "sessions")) +
         ".";
}

Status OpenDownloadFiles(const StorePaths& paths, const LocalUserRecord& user, StepData& steps,
                         CExerciseDB& exercises) {
  const std::optional<std::filesystem::path> stepPath = paths.UserFile(user.stepFile);
  const std::optional<std::filesystem::path> exercisePath = paths.UserFile(user.exerciseFile);
  Status opened = Status::Ok();
  if (!stepPath || !exercisePath) {
    TV_TRACE("Refused user file names '%s', '%s'\n", user.stepFile.c_str(), user.exerciseFile.c_str());
    opened = Status::Error("The user record names a file outside the data folder: " +
                           (stepPath ? user.exerciseFile : user.stepFile));
  } else {
    opened = steps.TryOpen(*stepPath);
    if (opened) opened = exercises.TryOpen(*exercisePath);
  }
  if (opened) return opened;
  return Status::Error(std::string(kCannotOpen) + "\n\n" + opened.message());
}

void FillDayRecord(DayRecord& record, const StepDay& day) {
  record.aux1 = day.aux1;
  record.aux2 = day.aux2;
  record.reserved = day.reserved;
  record.year = day.year;
  record.month = day.month;
  record.day = day.day;
  record.steps = day.steps;
  record.calories = day.calories;
  record.distance = day.distance;
  record.minHeartRate = day.minHeartRate;
  record.avgHeartRate = day.avgHeartRate;
  record.maxHeartRate = day.maxHeartRate;
  record.fatBurnt = day.fatBurnt;
  record.avgSpeed = day.avgSpeed;
  record.exerciseHours = day.exerciseHours;
  record.exerciseMinutes = day.exerciseMinutes;
  record.exerciseSeconds = day.exerciseSeconds;
  record.note.clear();
}

void FillStoredExercise(StoredExercise& record, const ExerciseEntry& entry) {
  record.year = entry.year;
  record.month = entry.month;
  record.day = entry.day;
  record.startHour = entry.startHour;
  record.startMinute = entry.startMinute;
  record.startSecond = entry.startSecond;
  record.durationHours = entry.durationHours;
  record.durationMinutes = entry.durationMinutes;
  record.durationSeconds = entry.durationSeconds;
  record.durationHundredths = entry.durationHundredths;
  record.steps = entry.steps;
  record.calories = entry.calories;
  record.distance = entry.distance;
  record.minHeartRate = entry.minHeartRate;
  record.avgHeartRate = entry.avgHeartRate;
  record.maxHeartRate = entry.maxHeartRate;
  record.fatBurnt = entry.fatBurnt;
  record.avgSpeed = entry.avgSpeed;
}

Status StoreDownload(const StorePaths& paths, UserData& users, const LocalUserRecord& user, const UserRecord& watchUser,
                     const StepRecord& steps, const CExerciseRecord& exercises, DownloadStoreResult& result) {
  result = DownloadStoreResult{};
  // What is to be stored, in order: sessions oldest position first, so of
  // two with the same start the one named at the lower (more recent)
  // position is merged last and wins; then the days likewise.
  std::vector<const ExerciseEntry*> sessions;
  for (int position = exercises.Count() - 1; position >= 0; --position) {
    const int slot = exercises.SlotAtPosition(position);
    if (slot == kNoPosition || !exercises.Entry(slot).valid) continue;
    sessions.push_back(&exercises.Entry(slot));
    result.sessionsNotWritten.push_back(SessionLabel(exercises.Entry(slot)));
  }
  std::vector<const StepDay*> days;
  for (int position = watchUser.DayCount() - 1; position >= 0; --position) {
    const int slot = watchUser.SlotAtPosition(position);
    if (slot == kNoPosition || !steps.Slot(slot).valid) continue;
    days.push_back(&steps.Slot(slot));
    result.daysNotWritten.push_back(DayLabel(steps.Slot(slot)));
  }
  const auto written = [](std::vector<std::string>& notYet, std::vector<std::string>& done) {
    done.push_back(std::move(notYet.front()));
    notYet.erase(notYet.begin());
  };

  // Two users with one id, or one file named for two: storing would write
  // into someone else's history.
  if (Status allowed = users.CheckUser(user.id); !allowed) return Failed(allowed.message());
  StepData stepData;
  CExerciseDB exerciseDb;
  if (Status opened = OpenDownloadFiles(paths, user, stepData, exerciseDb); !opened) {
    result.openFailed = true;
    return Failed(opened.message());
  }

  for (const ExerciseEntry* session : sessions) {
    FillStoredExercise(exerciseDb.Current(), *session);
    if (!exerciseDb.MergeExercise()) return Failed(exerciseDb.LastError());
    written(result.sessionsNotWritten, result.sessionsWritten);
    ++result.exercisesStored;
  }
  if (!exerciseDb.SortAndRenumber()) return Failed(exerciseDb.LastError());
  if (Status writtenBack = WriteUserBack(users, user); !writtenBack) return writtenBack;

  for (const StepDay* day : days) {
    FillDayRecord(stepData.Current(), *day);
    TV_TRACE("Insert new record for : %d-%d-%d\n", day->year, day->month, day->day);
    if (!stepData.MergeDay()) return Failed(stepData.LastError());
    written(result.daysNotWritten, result.daysWritten);
    ++result.daysStored;
  }
  if (!stepData.SortAndRenumber()) return Failed(stepData.LastError());
  if (stepData.LatestDate(result.latestDate)) {
    result.hasLatest = true;
    stepData.FindByDate(result.latestDate, result.latestDay);
  }
  return WriteUserBack(users, user);
}

}  // namespace tempovia
