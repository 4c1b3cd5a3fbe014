#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "base/testing/NoticeRecorder.h"
#include "records/WatchImage.h"
#include "store/DownloadStore.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

class DownloadStoreTest : public ::testing::Test {
 protected:
  DownloadStoreTest() : paths(dir.Path()) {
    EXPECT_TRUE(paths.CreateDataFolder().ok());
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
    users.Current().name = "Anna";
    EXPECT_TRUE(users.Append());
  }

  void SetDay(int slot, int day, int steps) {
    StepDay& d = values.days[static_cast<std::size_t>(slot)];
    d.year = 8;
    d.month = 12;
    d.day = static_cast<std::uint8_t>(day);
    d.steps = steps;
    d.avgHeartRate = 90;
    d.calories = 123.4;
    d.exerciseMinutes = 45;
  }

  Status Store() {
    decoded = DecodeWatchImage(EncodeWatchImage(values));
    EXPECT_TRUE(decoded.userValid);
    return StoreDownload(paths, users, users.Current(), decoded.user, decoded.steps, decoded.exercises, result);
  }

  // The days (or session days) stored, in file order.
  template <class Cursor>
  std::vector<unsigned> StoredDays(const char* file) {
    Cursor cursor;
    EXPECT_TRUE(cursor.Open(paths.DataFolder() / file));
    std::vector<unsigned> days;
    for (int i = 0; i < cursor.GetCount(); ++i) days.push_back(cursor.RecordAt(i).day);
    return days;
  }

  test::TempDir dir;
  StorePaths paths;
  UserData users;
  WatchImageValues values;
  DecodedWatchImage decoded;
  DownloadStoreResult result;
};

TEST_F(DownloadStoreTest, StoresExactlyTheValidDaysAndSessionsTheOrderTablesName) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDay(slot, 1 + slot, 1000 * (slot + 1));
    ExerciseEntry& e = values.exercises[static_cast<std::size_t>(slot)];
    e.year = 8;
    e.month = 12;
    e.day = static_cast<std::uint8_t>(1 + slot);
    e.steps = 100.0 * (slot + 1);
  }
  values.SetDayOrder({5, 2, 3, 0});  // slots 1, 4 and 6 are no longer listed
  values.corruptDayChecksum[3] = true;
  // Sessions are decoded in slots below the count only: slot 0 is decoded and
  // valid, but the table names slot 1 twice and slot 0 not at all.
  values.SetExerciseOrder({1, 1, 2, 3});
  values.corruptExerciseChecksum[2] = true;

  TraceCapture trace;
  ASSERT_TRUE(Store().ok());
  EXPECT_EQ(result.daysStored, 3);
  EXPECT_EQ(result.exercisesStored, 2);
  EXPECT_EQ(StoredDays<StepData>("100.dat"), (std::vector<unsigned>{1, 3, 6}));
  EXPECT_EQ(StoredDays<CExerciseDB>("100_exercise.dat"), (std::vector<unsigned>{2, 4}));
  // Oldest position first: slot 0 (position 3), slot 2 (position 1), slot 5 (position 0).
  std::vector<std::string> inserted;
  for (const std::string& m : trace.Messages())
    if (m.rfind("Insert new record for", 0) == 0) inserted.push_back(m);
  EXPECT_EQ(inserted, (std::vector<std::string>{"Insert new record for : 8-12-1\n", "Insert new record for : 8-12-3\n",
                                                "Insert new record for : 8-12-6\n"}));

  ASSERT_TRUE(result.hasLatest);
  EXPECT_EQ(result.latestDate, std::chrono::year{2008} / 12 / 6);
  EXPECT_EQ(result.latestDay.steps, 6000);
  EXPECT_EQ(result.latestDay.calories, 123.4);
  EXPECT_EQ(result.latestDay.exerciseMinutes, 45);
  EXPECT_EQ(result.latestDay.id, 102);
  EXPECT_EQ(users.Current().name, "Anna");
}

// Read as "dayOrder[k] is the slot at position k", a table naming slots 2 and
// 3 with a count of 2 would store nothing.
TEST_F(DownloadStoreTest, SlotsAboveTheCountAreStoredWhenTheTableNamesThem) {
  SetDay(2, 2, 200);
  SetDay(3, 3, 300);
  values.SetDayOrder({3, 2});
  ASSERT_TRUE(Store().ok());
  EXPECT_EQ(StoredDays<StepData>("100.dat"), (std::vector<unsigned>{2, 3}));
}

TEST_F(DownloadStoreTest, TheDayAtTheLowerPositionWinsAndStoringTwiceKeepsTheNote) {
  SetDay(1, 2, 111);
  SetDay(4, 2, 444);
  values.SetDayOrder({4, 1});
  ASSERT_TRUE(Store().ok());
  EXPECT_EQ(result.latestDay.steps, 444);
  {
    StepData steps;
    ASSERT_TRUE(steps.Open(paths.DataFolder() / "100.dat"));
    steps.Current().note = "kept";
    ASSERT_TRUE(steps.WriteCurrent());
  }
  ASSERT_TRUE(Store().ok());
  EXPECT_EQ(result.latestDay.note, "kept");
  EXPECT_EQ(result.latestDay.id, 100);
  EXPECT_EQ(StoredDays<StepData>("100.dat").size(), 1u);
}

// A write that fails half-way (a full disk, a file size limit) leaves part
// of the download stored: the result says exactly which days and sessions
// are in the files and which are not.
TEST_F(DownloadStoreTest, AFailureHalfWaySaysWhichDaysAndSessionsWereStored) {
  for (int slot = 0; slot < 3; ++slot) {
    SetDay(slot, 3 - slot, 1000);
    ExerciseEntry& e = values.exercises[static_cast<std::size_t>(slot)];
    e.year = 8;
    e.month = 12;
    e.day = static_cast<std::uint8_t>(3 - slot);
    e.startHour = 7;
  }
  values.SetDayOrder({0, 1, 2});
  values.SetExerciseOrder({0, 1, 2});
  const std::vector<std::string> days = {"2008-12-01", "2008-12-02", "2008-12-03"};
  const std::vector<std::string> sessions = {"2008-12-01 07:00:00", "2008-12-02 07:00:00", "2008-12-03 07:00:00"};
  bool sawPartial = false;
  for (int failAt = 0;; ++failAt) {
    SCOPED_TRACE("failing write call " + std::to_string(failAt));
    fs::remove(paths.DataFolder() / "100.dat");
    fs::remove(paths.DataFolder() / "100_exercise.dat");
    Status stored = Status::Ok();
    bool failed = false;
    {
      test::FailingFileWriter writer(failAt, EFBIG);
      stored = Store();
      failed = writer.Failed();
    }
    if (!failed) break;
    ASSERT_FALSE(stored.ok());
    // Every day and session is either stored or not, in the order stored.
    std::vector<std::string> allDays = result.daysWritten;
    allDays.insert(allDays.end(), result.daysNotWritten.begin(), result.daysNotWritten.end());
    EXPECT_EQ(allDays, days);
    std::vector<std::string> allSessions = result.sessionsWritten;
    allSessions.insert(allSessions.end(), result.sessionsNotWritten.begin(), result.sessionsNotWritten.end());
    EXPECT_EQ(allSessions, sessions);
    EXPECT_EQ(result.daysStored, static_cast<int>(result.daysWritten.size()));
    EXPECT_EQ(result.exercisesStored, static_cast<int>(result.sessionsWritten.size()));
    // What the result calls stored is in the files.
    if (fs::exists(paths.DataFolder() / "100.dat"))
      EXPECT_GE(StoredDays<StepData>("100.dat").size(), result.daysWritten.size());
    else
      EXPECT_TRUE(result.daysWritten.empty());

    const std::string text = PartlyStoredText(result);
    const bool partial = !(result.daysWritten.empty() && result.sessionsWritten.empty()) &&
                         !(result.daysNotWritten.empty() && result.sessionsNotWritten.empty());
    EXPECT_EQ(text.empty(), !partial) << text;
    if (result.sessionsWritten.size() == 3 && result.daysWritten.size() == 2) {
      sawPartial = true;
      EXPECT_EQ(text,
                "Stored: 2 days (2008-12-01, 2008-12-02) and 3 sessions (2008-12-01 07:00:00, 2008-12-02 07:00:00, "
                "2008-12-03 07:00:00).\nNot stored: 1 day (2008-12-03).");
    }
  }
  EXPECT_TRUE(sawPartial);
}

TEST_F(DownloadStoreTest, UnopenableFilesStoreNothingAndSayCannotOpenDatabase) {
  SetDay(0, 2, 200);
  values.SetDayOrder({0});
  values.SetExerciseOrder({0});
  fs::create_directory(paths.DataFolder() / "100.dat");  // the step file cannot be opened
  NoticeRecorder notices;
  // One message for the caller to show: the words, then the file and why.
  EXPECT_EQ(Store().message(),
            "Cannot open database\n\n" + (paths.DataFolder() / "100.dat").string() + ": not a regular file");
  EXPECT_TRUE(result.openFailed);
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "100_exercise.dat"));

  users.Current().stepFile = "../escaped.dat";
  notices.Clear();
  EXPECT_EQ(Store().message(),
            "Cannot open database\n\nThe user record names a file outside the data folder: ../escaped.dat");
  EXPECT_TRUE(result.openFailed);
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_FALSE(fs::exists(dir / "escaped.dat"));
}

TEST_F(DownloadStoreTest, AUserTiedToAnotherStoresNothingAndSaysWhy) {
  SetDay(0, 2, 200);
  values.SetDayOrder({0});
  values.SetExerciseOrder({0});
  values.exercises[0].year = 8;
  values.exercises[0].month = 12;
  values.exercises[0].day = 2;
  // Eve's sessions would land in Anna's step file.
  users.Current() = LocalUserRecord{};
  users.Current().name = "Eve";
  ASSERT_TRUE(users.Append());
  ASSERT_TRUE(users.MoveLastActive());
  users.Current().exerciseFile = "100.dat";
  ASSERT_TRUE(users.WriteCurrent());
  NoticeRecorder notices;
  const Status stored = Store();
  EXPECT_EQ(stored.message(),
            "The user database names one file, 100.dat, for two users (\"Anna\" and \"Eve\"); nothing is written for "
            "them until user.dat is corrected");
  EXPECT_TRUE(notices.Texts().empty()) << "told by the caller";
  EXPECT_FALSE(result.openFailed);
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "100.dat"));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "101.dat"));
}

TEST_F(DownloadStoreTest, AUserDeletedMeanwhileIsNotReportedAsSaved) {
  SetDay(0, 2, 200);
  values.SetDayOrder({0});
  users.Current().id = 555;  // the logged-in user's record is no longer in user.dat
  users.Current().weight = 70;
  const Status stored = Store();
  EXPECT_NE(stored.message().find("No user with the id 555"), std::string::npos) << stored.message();
  EXPECT_EQ(users.Current().id, 555);
  EXPECT_EQ(users.Current().weight, 70);
  EXPECT_EQ(users.RecordAt(0).weight, 0);
}

}  // namespace
}  // namespace tempovia
