#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FileContents.h"
#include "StoreTestSupport.h"
#include "TempDir.h"
#include "base/testing/NoticeRecorder.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/UserData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& path) {
  test::WriteBytes(path, std::vector<std::uint8_t>{1, 2, 3});
}

class UserDataTest : public ::testing::Test {
 protected:
  UserDataTest() : paths(dir.Path()) {
    EXPECT_TRUE(paths.CreatePhotosFolder().ok());
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
  }

  // Appends users and creates the files each one names.
  void AddUsers(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      users.Current() = LocalUserRecord{};
      users.Current().name = name;
      ASSERT_TRUE(users.Append());
      Touch(*paths.UserFile(users.Current().stepFile));
      Touch(*paths.UserFile(users.Current().exerciseFile));
    }
  }

  std::vector<std::int32_t> StoredIds() {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < users.GetCount(); ++i) ids.push_back(users.RecordAt(i).id);
    return ids;
  }

  test::TempDir dir;
  StorePaths paths;
  UserData users;
};

TEST_F(UserDataTest, FirstUserOfANewDatabaseGetsId100ItsFileNamesAndTheBlankPhoto) {
  EXPECT_TRUE(users.IsEmpty());
  EXPECT_EQ(users.Current(), LocalUserRecord{});
  users.Current().name = "Anna";
  ASSERT_TRUE(users.Append());
  EXPECT_EQ(fs::file_size(paths.UserDatabase()), 152u);
  LocalUserRecord want;
  want.id = 100;
  want.name = "Anna";
  want.photo = "blank.jpg";
  want.stepFile = "100.dat";
  want.exerciseFile = "100_exercise.dat";
  EXPECT_EQ(users.RecordAt(0), want);
  EXPECT_EQ(users.Current(), want);
}

TEST_F(UserDataTest, DeletingAUserClosesTheGapAndTheNextIdFollowsTheLastUser) {
  AddUsers({"Anna", "Ben", "Cleo"});
  ASSERT_TRUE(SaveStepGoal(paths, 101, 10000).ok());
  ASSERT_TRUE(SaveStepGoal(paths, 102, 8000).ok());
  Touch(paths.PhotosFolder() / "blank.jpg");
  ASSERT_EQ(users.Delete(101), UserData::kDeleted);
  EXPECT_EQ(fs::file_size(paths.UserDatabase()), 304u);
  EXPECT_EQ(StoredIds(), (std::vector<std::int32_t>{100, 102}));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "101.dat"));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "101_exercise.dat"));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "101_goal.txt"));
  EXPECT_TRUE(fs::exists(paths.DataFolder() / "102.dat"));
  EXPECT_EQ(LoadStepGoal(paths, 102), 8000) << "only the deleted user's goal goes";
  EXPECT_TRUE(fs::exists(paths.PhotosFolder() / "blank.jpg"));  // shared by every user without a photo
  AddUsers({"Dora"});
  EXPECT_EQ(StoredIds(), (std::vector<std::int32_t>{100, 102, 103}));

  ASSERT_EQ(users.Delete(103), UserData::kDeleted);
  AddUsers({"Emil"});
  EXPECT_EQ(StoredIds(), (std::vector<std::int32_t>{100, 102, 103}));
  EXPECT_EQ(users.Delete(555), UserData::kNotFound);
}

TEST_F(UserDataTest, CursorFindsByNameWithLetterCaseAndStopsAtTheEnds) {
  AddUsers({"Anna", "Ben", "Cleo"});
  EXPECT_TRUE(users.FindByName("Ben"));
  EXPECT_EQ(users.Current().id, 101);
  EXPECT_FALSE(users.FindByName("ben"));
  EXPECT_EQ(users.Current().name, "Cleo");  // the last record read

  users.Current().name = "changed in memory";
  EXPECT_FALSE(users.MoveNext());
  EXPECT_EQ(users.Current().name, "changed in memory");
  EXPECT_EQ(users.Index(), 2);

  users.Current() = users.RecordAt(1);
  users.Current().hidden = 1;
  ASSERT_TRUE(users.Update(101));
  EXPECT_TRUE(users.MoveFirst());
  EXPECT_FALSE(users.MovePrev());
  EXPECT_TRUE(users.MoveNextActive());
  EXPECT_EQ(users.Current().name, "Cleo");
}

TEST_F(UserDataTest, UpdateOfAnUnknownIdFailsAndKeepsTheCallersRecordAndClearKeepsIdExerciseFileAndFlag) {
  AddUsers({"Anna", "Ben"});
  const std::vector<std::uint8_t> before = test::ReadBytes(paths.UserDatabase());
  // Say the logged-in user was deleted meanwhile: nothing may claim the save.
  users.Current() = LocalUserRecord{999, "Ghost", "", 170, 60, 0, 0, 0, 0, "", "999.dat", "", 0};
  const LocalUserRecord typed = users.Current();
  const int index = users.Index();
  EXPECT_FALSE(users.Update(999));
  EXPECT_NE(users.LastError().find("No user with the id 999"), std::string::npos) << users.LastError();
  EXPECT_EQ(users.Current(), typed);
  EXPECT_EQ(users.Index(), index);
  EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), before);

  LocalUserRecord& r = users.Current();
  r = LocalUserRecord{100, "Anna", "123456789012", 170, 60, 70, 90, 40, 1, "100.jpg", "100.dat", "100_exercise.dat", 1};
  users.ClearCurrent();
  LocalUserRecord want;
  want.id = 100;
  want.exerciseFile = "100_exercise.dat";
  want.hidden = 1;
  EXPECT_EQ(users.Current(), want);
}

TEST_F(UserDataTest, AHostileUserDatabaseCannotTouchFilesOutsideTheDataFolder) {
  AddUsers({"Anna"});
  Touch(dir / "outside.dat");
  Touch(dir / "photo.jpg");
  LocalUserRecord evil{101, "Mallory", "", 0, 0, 0, 0, 0, 0, "../../photo.jpg", "../outside.dat", "user.dat", 0};
  LocalUserRecord borrower{102, "Eve", "", 0, 0, 0, 0, 0, 0, "", "100.dat", "102_exercise.dat", 0};
  std::vector<std::uint8_t> bytes = test::ReadBytes(paths.UserDatabase());
  bytes.resize(3 * LocalUserRecord::kSize);
  evil.ToBytes(bytes.data() + LocalUserRecord::kSize);
  borrower.ToBytes(bytes.data() + 2 * LocalUserRecord::kSize);
  users.Close();
  test::WriteBytes(paths.UserDatabase(), bytes);
  ASSERT_TRUE(users.Open(paths.UserDatabase()));

  ASSERT_EQ(users.Delete(101), UserData::kDeleted);
  ASSERT_EQ(users.Delete(102), UserData::kDeleted);
  EXPECT_TRUE(fs::exists(dir / "outside.dat"));
  EXPECT_TRUE(fs::exists(dir / "photo.jpg"));
  EXPECT_TRUE(fs::exists(paths.DataFolder() / "100.dat")) << "still named by Anna";
  EXPECT_EQ(StoredIds(), std::vector<std::int32_t>{100});
}

TEST_F(UserDataTest, AnOpenFailureIsOneNoticeWithTheFileAndTheSystemsText) {
  NoticeRecorder notices;
  UserData second;
  EXPECT_FALSE(second.Open(dir / "missing" / "user.dat"));
  EXPECT_EQ(notices.Texts(),
            (std::vector<std::string>{"Failed to open User Data\n\n" + (dir / "missing" / "user.dat").string() +
                                      ": No such file or directory"}));
  // Asked quietly, the same reason comes back for the caller to tell.
  notices.Clear();
  const Status quiet = second.TryOpen(dir / "missing" / "user.dat");
  EXPECT_EQ(quiet.message(), (dir / "missing" / "user.dat").string() + ": No such file or directory");
  EXPECT_TRUE(notices.Texts().empty());
  EXPECT_FALSE(second.IsEmpty());
  EXPECT_FALSE(second.Append());
  EXPECT_EQ(second.Delete(100), UserData::kNotFound);
  // Held exclusively: a second cursor cannot write behind the first one's back.
  notices.Clear();
  EXPECT_FALSE(second.Open(paths.UserDatabase()));
  ASSERT_EQ(notices.Texts().size(), 1u);
  EXPECT_EQ(
      notices.Texts().back().rfind("Failed to open User Data\n\n" + paths.UserDatabase().string() + " is in use", 0),
      0u);
  EXPECT_FALSE(users.Open(paths.UserDatabase()));  // already open
}

TEST_F(UserDataTest, AShortTrailingPartIsNeverReadAndTheNextAppendReplacesIt) {
  AddUsers({"Anna", "Ben"});
  users.Close();
  std::vector<std::uint8_t> bytes = test::ReadBytes(paths.UserDatabase());
  bytes.resize(bytes.size() + 50, 0x5A);
  test::WriteBytes(paths.UserDatabase(), bytes);
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  EXPECT_EQ(users.GetCount(), 2);
  AddUsers({"Cleo"});
  EXPECT_EQ(fs::file_size(paths.UserDatabase()), 3 * 152u);
  EXPECT_EQ(users.RecordAt(2).name, "Cleo");
  EXPECT_EQ(users.RecordAt(2).id, 102);
}

const LocalDateTime kNow = LocalDateTime::From(2026, 12, 8, 14, 5, 33);

TEST_F(UserDataTest, ANewUserNeverInheritsFilesAnEarlierUserLeftUnderItsNames) {
  // An imported data folder: user.dat without user 100, but 100's files.
  test::WriteBytes(paths.DataFolder() / "100.dat", std::vector<std::uint8_t>(648, 5));
  test::WriteBytes(paths.DataFolder() / "100_exercise.dat", std::vector<std::uint8_t>(88, 6));
  test::WriteText(paths.DataFolder() / StepGoalFileName(100), "12000\n");
  NoticeRecorder notices;
  users.Current() = LocalUserRecord{};
  users.Current().name = "Nina";
  UserData::NewUserFiles found;
  ASSERT_TRUE(users.AddNew(paths, kNow, &found).ok());

  EXPECT_EQ(users.Current().id, 100);
  EXPECT_EQ(users.RecordAt(0), users.Current());
  EXPECT_EQ(fs::file_size(paths.DataFolder() / "100.dat"), 0u);
  EXPECT_EQ(fs::file_size(paths.DataFolder() / "100_exercise.dat"), 0u);
  const fs::path aside = paths.BackupsFolder() / "Old files of user 100 08-Dec-2026 14-05-33";
  EXPECT_EQ(found.movedTo, aside);
  EXPECT_EQ(found.moved, (std::vector<std::string>{"100.dat", "100_exercise.dat", "100_goal.txt"}));
  EXPECT_EQ(LoadStepGoal(paths, 100), std::nullopt) << "the earlier user's goal went with their days";
  EXPECT_EQ(LoadStepGoal(StorePaths(paths.Base()), 100), std::nullopt);
  EXPECT_EQ(test::ReadText(aside / "100_goal.txt"), "12000\n");
  EXPECT_EQ(test::ReadBytes(aside / "100.dat"), std::vector<std::uint8_t>(648, 5));
  EXPECT_EQ(test::ReadBytes(aside / "100_exercise.dat"), std::vector<std::uint8_t>(88, 6));
  ASSERT_EQ(notices.Texts().size(), 1u);
  EXPECT_NE(notices.Texts()[0].find(aside.string()), std::string::npos) << notices.Texts()[0];
}

TEST_F(UserDataTest, ANewUserIsAddedWhollyOrNotAtAll) {
  // A folder occupies the step file's name, and the backup area cannot be made.
  fs::create_directory(paths.DataFolder() / "100.dat");
  Touch(paths.DataFolder() / "100.dat" / "inside");
  Touch(paths.BackupsFolder());
  const auto before = test::Tree(paths.DataFolder());
  users.Current() = LocalUserRecord{};
  users.Current().name = "Nina";
  const Status refused = users.AddNew(paths, kNow);
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("The new user was not added"), std::string::npos) << refused.message();
  EXPECT_EQ(users.GetCount(), 0);
  EXPECT_EQ(users.Current().name, "Nina");
  EXPECT_EQ(test::Tree(paths.DataFolder()), before);

  // A failing write of the record itself takes the new files away again and
  // puts back what was moved aside.
  fs::remove(paths.BackupsFolder());
  for (int failAt = 0;; ++failAt) {
    SCOPED_TRACE("failing write call " + std::to_string(failAt));
    test::FailingFileWriter writer(failAt);
    const Status added = users.AddNew(paths, kNow);
    if (!writer.Failed()) {
      ASSERT_TRUE(added.ok()) << added.message();
      break;
    }
    EXPECT_FALSE(added.ok());
    EXPECT_EQ(users.GetCount(), 0);
    EXPECT_EQ(test::Tree(paths.DataFolder()), before);
  }
  EXPECT_EQ(users.GetCount(), 1);
  EXPECT_TRUE(fs::is_regular_file(paths.DataFolder() / "100.dat"));
}

TEST_F(UserDataTest, ANewUsersIdPassesOverFileNamesAnotherUserHolds) {
  users.Close();
  test::WriteUsers(paths.UserDatabase(), {test::User(100, "Anna", "100.dat", "101.dat")});
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  users.Current() = LocalUserRecord{};
  users.Current().name = "Nina";
  ASSERT_TRUE(users.AddNew(paths, kNow).ok());
  EXPECT_EQ(users.Current().id, 102);
  EXPECT_EQ(users.Current().stepFile, "102.dat");
  EXPECT_TRUE(users.Problems().empty());
}

}  // namespace
}  // namespace tempovia
