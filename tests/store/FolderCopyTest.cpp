#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "store/DataTransfer.h"
#include "store/FolderCopy.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FolderCopyTest : public ::testing::Test {
 protected:
  FolderCopyTest() {
    fs::create_directories(source / "photos" / "old");
    test::WriteUsers(source / "user.dat", {test::User(100, "Ann", "100.dat", "100_exercise.dat"),
                                           test::User(101, "Bob", "101.dat", "101_exercise.dat")});
    sourceUsers = test::ReadBytes(source / "user.dat");
    test::WriteBytes(source / "100.dat", Bytes(648, 2));
    test::WriteBytes(source / "photos" / "100.jpg", Bytes(70000, 3));
    test::WriteBytes(source / "photos" / "old" / "99.png", Bytes(5, 4));
    fs::create_directories(target / "photos");
    test::WriteBytes(target / "user.dat", Bytes(152, 9));
    test::WriteBytes(target / "102.dat", Bytes(5, 8));
  }

  test::TempDir dir;
  fs::path source = dir / "source";
  fs::path target = dir / "target";
  Bytes sourceUsers;
};

TEST_F(FolderCopyTest, CopiesRecursivelyReplacingFilesAndKeepingOthers) {
  TraceCapture trace;
  EXPECT_TRUE(CopyFolder(source, target).empty());
  EXPECT_EQ(test::ReadBytes(target / "user.dat"), sourceUsers);
  EXPECT_EQ(test::ReadBytes(target / "photos" / "100.jpg"), Bytes(70000, 3));
  EXPECT_EQ(test::ReadBytes(target / "photos" / "old" / "99.png"), Bytes(5, 4));
  EXPECT_EQ(test::ReadBytes(target / "102.dat"), Bytes(5, 8));
  std::vector<std::string> traced = trace.Messages();
  std::sort(traced.begin(), traced.end());
  EXPECT_EQ(traced, (std::vector<std::string>{"100.dat\r\n", "100.jpg\r\n", "99.png\r\n", "old\r\n", "photos\r\n",
                                              "user.dat\r\n"}));
}

TEST_F(FolderCopyTest, ReportsWhatItCouldNotCopyAndNeverFollowsALinkOut) {
  test::WriteBytes(dir / "secret", Bytes(5, 6));
  fs::create_symlink(dir / "secret", source / "leak.dat");
  fs::create_symlink("100.dat", source / "alias.dat");
  fs::create_directory_symlink(dir.Path(), source / "up");
  ASSERT_EQ(::mkfifo((source / "pipe").c_str(), 0600), 0);
  fs::create_directory(target / "100.dat");  // a folder where a file should go

  std::vector<std::string> failed;
  for (const CopyFailure& f : CopyFolder(source, target)) failed.push_back(f.entry.filename());
  std::sort(failed.begin(), failed.end());
  EXPECT_EQ(failed, (std::vector<std::string>{"100.dat", "leak.dat", "pipe", "up"}));
  EXPECT_FALSE(fs::exists(target / "leak.dat"));
  EXPECT_FALSE(fs::exists(target / "up"));
  EXPECT_EQ(test::ReadBytes(target / "alias.dat"), Bytes(648, 2));
  EXPECT_EQ(test::ReadBytes(target / "user.dat"), sourceUsers);
}

TEST_F(FolderCopyTest, ExportGoesToADatedFolderAndIntoAnExistingOneOnRequest) {
  const auto day = std::chrono::year{2008} / std::chrono::December / 8;
  EXPECT_EQ(ExportFolderPath("/", day), "/Tempovia Data 08-Dec-2008");
  EXPECT_EQ(ExportFolderName(std::chrono::year{2011} / 5 / 31), "Tempovia Data 31-May-2011");

  const StorePaths paths(dir / "base");
  fs::create_directories(paths.Base());
  fs::rename(source, paths.DataFolder());
  const fs::path exported = ExportFolderPath(dir / "backups", day);
  fs::create_directory(dir / "backups");
  for (int time = 0; time < 2; ++time) {  // the second time into the existing folder
    const TransferResult result = ExportData(paths, exported);
    EXPECT_TRUE(result.Complete()) << result.status.message();
  }
  EXPECT_EQ(test::ReadBytes(exported / "user.dat"), sourceUsers);
  EXPECT_EQ(test::ReadBytes(exported / "photos" / "old" / "99.png"), Bytes(5, 4));
  EXPECT_EQ(ExportData(paths, dir / "target" / "user.dat" / "x").status.message(), "Cannot create output folder");
}

TEST_F(FolderCopyTest, ImportNeedsAUserDatabaseAndFillsTheDataFolder) {
  const StorePaths paths(dir / "base");
  EXPECT_EQ(ImportData(paths, source / "photos").status.message(),
            "Incorrect files!\n\n" + (source / "photos").string() + " holds no user.dat");
  EXPECT_TRUE(fs::is_empty(paths.DataFolder()));
  EXPECT_TRUE(ImportData(paths, source).Complete());
  EXPECT_EQ(test::ReadBytes(paths.UserDatabase()), sourceUsers);
  EXPECT_EQ(test::ReadBytes(paths.PhotosFolder() / "100.jpg"), Bytes(70000, 3));
}

}  // namespace
}  // namespace tempovia
