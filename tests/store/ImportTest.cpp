// Importing replaces the data folder by itself plus the imported files, and
// must either finish or leave the data folder exactly as it was: a mixed
// folder (a new user.dat beside old step files) shows one user another's days.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FileContents.h"
#include "StoreTestSupport.h"
#include "TempDir.h"
#include "store/DataTransfer.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/UserData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const LocalDateTime kNow = LocalDateTime::From(2026, 12, 8, 14, 5, 33);

class ImportTest : public ::testing::Test {
 protected:
  ImportTest() : paths(dir / "base") {
    EXPECT_TRUE(paths.CreatePhotosFolder().ok());
    test::WriteBytes(paths.UserDatabase(), Bytes(152, 1));
    test::WriteBytes(paths.DataFolder() / "100.dat", Bytes(648, 2));
    test::WriteBytes(paths.PhotosFolder() / "100.jpg", Bytes(500, 3));

    fs::create_directories(source / "photos");
    test::WriteUsers(source / "user.dat", {test::User(100, "Ann", "100.dat", "100_exercise.dat"),
                                           test::User(101, "Bob", "101.dat", "101_exercise.dat")});
    sourceUsers = test::ReadBytes(source / "user.dat");
    test::WriteBytes(source / "101.dat", Bytes(1296, 5));
    test::WriteBytes(source / "photos" / "101.jpg", Bytes(70000, 6));
    test::WriteBytes(source / ".101.dat.Ab12Cd", Bytes(648, 7));  // a killed rewrite's leftover
  }

  // What lies in the base folder besides the data folder and the backups.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> names = test::FolderNames(paths.Base());
    std::erase_if(names, [](const std::string& name) { return name == "data" || name == "Backups"; });
    return names;
  }

  test::TempDir dir;
  StorePaths paths;
  fs::path source = dir / "source";
  Bytes sourceUsers;
};

TEST_F(ImportTest, ImportKeepsWhatTheSourceLacksAfterAnOwnerOnlySafetyCopy) {
  const auto before = test::Tree(paths.DataFolder());
  const TransferResult result = ImportData(paths, source, kNow);
  ASSERT_TRUE(result.Complete()) << result.status.message();

  EXPECT_EQ(result.backup, paths.BackupsFolder() / "Tempovia Data before import 08-Dec-2026 14-05-33");
  EXPECT_EQ(test::Tree(result.backup), before);
  EXPECT_EQ(fs::status(result.backup).permissions(), fs::perms::owner_all);

  auto want = before;
  want["user.dat"] = sourceUsers;
  want["101.dat"] = Bytes(1296, 5);
  want["photos/101.jpg"] = Bytes(70000, 6);
  EXPECT_EQ(test::Tree(paths.DataFolder()), want);
  EXPECT_EQ(fs::status(paths.DataFolder()).permissions(), fs::perms::owner_all);
  EXPECT_TRUE(Leftovers().empty());

  // A second import within the same second gets a copy of its own.
  EXPECT_EQ(ImportData(paths, source, kNow).backup,
            paths.BackupsFolder() / "Tempovia Data before import 08-Dec-2026 14-05-33 (2)");
}

TEST_F(ImportTest, AUsersDailyStepGoalGoesOutWithAnExportAndComesBackWithAnImport) {
  ASSERT_TRUE(SaveStepGoal(paths, 100, 11000).ok());
  const fs::path exported = dir / "export";
  ASSERT_TRUE(ExportData(paths, exported).Complete());
  EXPECT_EQ(test::ReadText(exported / StepGoalFileName(100)), "11000\n");

  // Bob's goal, exported elsewhere, arrives with his days; Ann's stays.
  test::WriteText(source / StepGoalFileName(101), "7500\n");
  ASSERT_TRUE(ImportData(paths, source, kNow).Complete());
  EXPECT_EQ(LoadStepGoal(paths, 101), 7500);
  EXPECT_EQ(LoadStepGoal(paths, 100), 11000);
}

TEST_F(ImportTest, AnImportThatFailsAnywhereLeavesTheDataFolderAsItWas) {
  const auto before = test::Tree(paths.DataFolder());
  for (int failAt = 0; failAt < 200; ++failAt) {
    SCOPED_TRACE("failing write call " + std::to_string(failAt));
    TransferResult result;
    bool failed = false;
    {
      test::FailingFileWriter writer(failAt);
      result = ImportData(paths, source, kNow);
      failed = writer.Failed();
    }
    if (!failed) {
      EXPECT_TRUE(result.Complete()) << result.status.message();
      EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), sourceUsers);
      return;
    }
    EXPECT_FALSE(result.status.ok());
    EXPECT_EQ(result.status.message().rfind("Nothing was imported", 0), 0u) << result.status.message();
    EXPECT_TRUE(result.backup.empty());
    EXPECT_EQ(test::Tree(paths.DataFolder()), before);
    EXPECT_TRUE(Leftovers().empty());
    // The backup area did not exist before: giving up leaves none behind.
    EXPECT_FALSE(fs::exists(paths.BackupsFolder()));
  }
  ADD_FAILURE() << "never succeeded";
}

// Found by fuzzing the source folder: its user.dat a link to the data
// folder's own. The link is not copied, so the import gives up, and must
// leave no trace; a backup area that was there before stays.
TEST_F(ImportTest, ASourceWhoseUserDatLeadsOutOfItGivesUpWithoutATrace) {
  fs::remove(source / "user.dat");
  fs::create_symlink(paths.UserDatabase(), source / "user.dat");
  const auto before = test::Tree(paths.Base());
  TransferResult result = ImportData(paths, source, kNow);
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(result.backup.empty());
  EXPECT_EQ(test::Tree(paths.Base()), before);
  EXPECT_FALSE(fs::exists(paths.BackupsFolder()));

  fs::create_directories(paths.BackupsFolder());
  result = ImportData(paths, source, kNow);
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(fs::is_directory(paths.BackupsFolder()));
  EXPECT_TRUE(fs::is_empty(paths.BackupsFolder()));
}

// Found by fuzzing too: into a data folder without user.dat, an import that
// gave up left an empty user.dat behind (its lock had created it).
TEST_F(ImportTest, AnImportThatGivesUpCreatesNoUserDatabase) {
  fs::remove_all(paths.DataFolder());
  ASSERT_TRUE(paths.CreateDataFolder().ok());
  test::WriteBytes(dir / "elsewhere.dat", Bytes(152, 8));
  fs::remove(source / "user.dat");
  fs::create_symlink(dir / "elsewhere.dat", source / "user.dat");
  const TransferResult result = ImportData(paths, source, kNow);
  EXPECT_FALSE(result.status.ok());
  EXPECT_TRUE(fs::is_empty(paths.DataFolder()));
}

TEST_F(ImportTest, TheDataFolderAndFoldersInsideOrAroundItAreRefused) {
  fs::create_directories(paths.DataFolder() / "old");
  test::WriteBytes(paths.DataFolder() / "old" / "user.dat", Bytes(152, 9));
  test::WriteBytes(paths.Base() / "user.dat", Bytes(152, 9));
  const auto before = test::Tree(paths.Base());
  struct Refusal {
    fs::path folder;
    const char* says;
  };
  for (const Refusal& refusal : {Refusal{paths.DataFolder(), "The data folder cannot be imported into itself"},
                                 Refusal{paths.DataFolder() / "." / "old", "lies inside the data folder"},
                                 Refusal{paths.Base(), "holds Tempovia's own folder"}}) {
    const TransferResult result = ImportData(paths, refusal.folder, kNow);
    EXPECT_NE(result.status.message().find(refusal.says), std::string::npos) << result.status.message();
  }
  EXPECT_EQ(test::Tree(paths.Base()), before);
  EXPECT_EQ(ImportData(paths, source / "photos", kNow).status.message().rfind(kIncorrectFilesMessage, 0), 0u);
}

TEST_F(ImportTest, AnImportWaitsForNoOneAndIsRefusedWhileTheUsersAreOpen) {
  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase()));
  const auto before = test::Tree(paths.Base());
  const TransferResult result = ImportData(paths, source, kNow);
  EXPECT_NE(result.status.message().find("is in use by another Tempovia program"), std::string::npos)
      << result.status.message();
  EXPECT_EQ(test::Tree(paths.Base()), before);
  users.Close();
  EXPECT_TRUE(ImportData(paths, source, kNow).Complete());
}

TEST_F(ImportTest, LeftoversOfAKilledImportGoAndALinkedDataFolderStaysALink) {
  fs::create_directory(paths.Base() / ".data.Xy12Zq");  // the half-built folder of a killed import
  test::WriteBytes(paths.Base() / ".data.Xy12Zq" / "user.dat", Bytes(152, 8));
  ASSERT_TRUE(ImportData(paths, source, kNow).Complete());
  EXPECT_TRUE(Leftovers().empty());

  // Data kept on another disk through a link the user made: the folder it
  // leads to is replaced, the link stays.
  fs::rename(paths.DataFolder(), dir / "other-disk");
  fs::create_directory_symlink(dir / "other-disk", paths.DataFolder());
  test::WriteUsers(source / "user.dat", {test::User(102, "Cy", "102.dat", "102_exercise.dat")});
  ASSERT_TRUE(ImportData(paths, source, kNow).Complete());
  EXPECT_TRUE(fs::is_symlink(paths.DataFolder()));
  EXPECT_EQ(test::ReadBytes(dir / "other-disk" / "user.dat"), test::ReadBytes(source / "user.dat"));
  EXPECT_EQ(test::ReadBytes(dir / "other-disk" / "100.dat"), Bytes(648, 2));
}

// Anything but a user database refuses the import before anything changes,
// and says what is wrong; an empty one (every user deleted) is imported.
TEST_F(ImportTest, OnlyAUserDatabaseIsImported) {
  struct Case {
    const char* what;
    Bytes userDat;
    const char* says;
  };
  const auto usersOf = [this](const std::vector<LocalUserRecord>& users) {
    test::WriteUsers(dir / "users", users);
    return test::ReadBytes(dir / "users");
  };
  Bytes torn = usersOf({test::User(100, "Ann", "100.dat", "100_exercise.dat")});
  torn.insert(torn.end(), 3, 0);
  LocalUserRecord climbing = test::User(101, "Bob", "../101.dat", "101_exercise.dat");
  LocalUserRecord photoOut = test::User(101, "Bob", "101.dat", "101_exercise.dat");
  photoOut.photo = "a/b.jpg";
  const std::vector<Case> cases = {
      {"random bytes", Bytes(100, 0x5A), "its 100 bytes are not a whole number of 152-byte user records"},
      {"a torn record", torn, "its 155 bytes"},
      {"a step file outside", usersOf({climbing}), "record 1 names \"../101.dat\" as its step file"},
      {"no exercise file", usersOf({test::User(101, "Bob", "101.dat", "")}), "names \"\" as its exercise file"},
      {"the user database as a step file", usersOf({test::User(101, "Bob", "user.dat", "101_exercise.dat")}),
       "as its step file"},
      {"a photo outside", usersOf({photoOut}), "names \"a/b.jpg\" as its photo"},
      {"one id twice",
       usersOf({test::User(101, "Bob", "101.dat", "101_exercise.dat"),
                test::User(101, "Cy", "102.dat", "102_exercise.dat")}),
       "Two users in the user database have the id 101"},
      {"one file for two users",
       usersOf({test::User(101, "Bob", "101.dat", "101_exercise.dat"),
                test::User(102, "Cy", "101.dat", "102_exercise.dat")}),
       "names one file, 101.dat, for two users"},
  };
  const auto before = test::Tree(paths.Base());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteBytes(source / "user.dat", c.userDat);
    const TransferResult result = ImportData(paths, source, kNow);
    const std::string& message = result.status.message();
    EXPECT_EQ(message.rfind(std::string(kIncorrectFilesMessage) + "\n\n", 0), 0u) << message;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    EXPECT_EQ(test::Tree(paths.Base()), before);
  }

  test::WriteBytes(source / "user.dat", {});
  const TransferResult empty = ImportData(paths, source, kNow);
  EXPECT_TRUE(empty.Complete()) << empty.status.message();
  EXPECT_EQ(fs::file_size(paths.UserDatabase()), 0u);
}

// A folder that holds a user.dat of its own inside the source (an export
// saved inside another) is left out and named; one already inside the data
// folder stays there but is left out of the safety copy and of exports.
TEST_F(ImportTest, NestedDataFoldersAreLeftOutAndNamed) {
  fs::create_directories(source / "Tempovia Data 01-Dec-2026" / "photos");
  test::WriteBytes(source / "Tempovia Data 01-Dec-2026" / "user.dat", {});
  fs::create_directories(source / "notes" / "older");
  test::WriteBytes(source / "notes" / "older" / "user.dat", Bytes(152, 1));
  test::WriteBytes(source / "notes" / "list.txt", Bytes(4, 2));
  fs::create_directories(paths.DataFolder() / "copy");
  test::WriteBytes(paths.DataFolder() / "copy" / "user.dat", Bytes(152, 3));

  const TransferResult imported = ImportData(paths, source, kNow);
  ASSERT_TRUE(imported.Complete()) << imported.status.message();
  std::vector<fs::path> leftOut = imported.leftOut;
  std::sort(leftOut.begin(), leftOut.end());
  EXPECT_EQ(leftOut, (std::vector<fs::path>{fs::canonical(source) / "Tempovia Data 01-Dec-2026",
                                            fs::canonical(source) / "notes" / "older"}));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "Tempovia Data 01-Dec-2026"));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "notes" / "older"));
  EXPECT_EQ(test::ReadBytes(paths.DataFolder() / "notes" / "list.txt"), Bytes(4, 2));
  EXPECT_EQ(test::ReadBytes(paths.DataFolder() / "copy" / "user.dat"), Bytes(152, 3));
  ASSERT_EQ(imported.leftOutOfBackup.size(), 1u);
  EXPECT_EQ(imported.leftOutOfBackup.front().filename(), "copy");
  EXPECT_FALSE(fs::exists(imported.backup / "copy"));

  const TransferResult exported = ExportData(paths, dir / "export");
  ASSERT_TRUE(exported.Complete()) << exported.status.message();
  ASSERT_EQ(exported.leftOut.size(), 1u);
  EXPECT_EQ(exported.leftOut.front().filename(), "copy");
  EXPECT_FALSE(fs::exists(dir / "export" / "copy"));
  EXPECT_EQ(test::ReadBytes(dir / "export" / "notes" / "list.txt"), Bytes(4, 2));
}

}  // namespace
}  // namespace tempovia
