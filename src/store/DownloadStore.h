#pragma once
// Storing a download: the valid sessions and days the watch's order tables
// name go into the current user's exercise database and step data file. The
// main window and the command-line tool both store downloads through here.

#include <chrono>
#include <string>
#include <vector>

#include "base/Status.h"
#include "records/ExerciseEntry.h"
#include "records/ExerciseRecord.h"
#include "records/StepDay.h"
#include "records/StepRecord.h"
#include "records/UserRecord.h"
#include "store/DayRecord.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/StorePaths.h"
#include "store/StoredExercise.h"
#include "store/UserData.h"

namespace tempovia {

struct DownloadStoreResult {
  int exercisesStored = 0;
  int daysStored = 0;
  // The user's files could not be opened ("Cannot open database"): nothing
  // was stored. Other failures may leave part of the download stored.
  bool openFailed = false;
  // The latest day of the step data file after storing (the day the window
  // shows next) and its record; hasLatest is false when the file is empty.
  bool hasLatest = false;
  std::chrono::year_month_day latestDate{};
  DayRecord latestDay;
  // The download's valid days ("2026-12-09") and sessions ("2026-12-09
  // 07:30:00"), in the order they are stored: those in the user's files and
  // those a failure kept out.
  std::vector<std::string> daysWritten;
  std::vector<std::string> daysNotWritten;
  std::vector<std::string> sessionsWritten;
  std::vector<std::string> sessionsNotWritten;
};

// For a failure that left part of a download stored: which days and
// sessions are in the user's files and which are not, one line each. Empty
// when the download was stored whole or not at all.
std::string PartlyStoredText(const DownloadStoreResult& result);

// Opens the user's step data file and exercise database for storing, telling
// nobody: a failure reads "Cannot open database", a blank line, then the
// file and the reason.
Status OpenDownloadFiles(const StorePaths& paths, const LocalUserRecord& user, StepData& steps, CExerciseDB& exercises);

// Fills a step data record from a downloaded day: dates, figures and exercise
// time; an empty note. The id and the hourly slots stay as they are.
void FillDayRecord(DayRecord& record, const StepDay& day);
// Fills an exercise record from a downloaded session: the start, the duration
// and the totals. The id and the flag stay as they are.
void FillStoredExercise(StoredExercise& record, const ExerciseEntry& entry);

// Stores a decoded download for user, one of users: refuses, naming
// the problem, a user whose id or files user.dat also gives another user
// (UserData::CheckUser); opens the user's step data file and exercise
// database (OpenDownloadFiles), merges the valid sessions from the oldest
// order position to the newest, sorts and renumbers, then does the same for
// the valid days, reads back the latest day and writes the user's record back
// to user.dat (a failure, such as a user deleted meanwhile, is reported, never
// passed off as saved). A failure is returned for the caller to show; nothing
// here tells the user. What was written before a failure stays written.
Status StoreDownload(const StorePaths& paths, UserData& users, const LocalUserRecord& user, const UserRecord& watchUser,
                     const StepRecord& steps, const CExerciseRecord& exercises, DownloadStoreResult& result);

}  // namespace tempovia
