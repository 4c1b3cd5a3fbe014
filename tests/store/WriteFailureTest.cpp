// A failing write (a full disk, a folder without permission) at any single
// point must be reported and leave the file as it was, with the cursor's
// records still those of the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "store/FolderCopy.h"
#include "store/StepData.h"
#include "store/UserData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using test::Day;

template <class Cursor>
void ExpectCursorMatchesFile(Cursor& cursor) {
  using Record = std::remove_cvref_t<decltype(cursor.Current())>;
  const std::vector<std::uint8_t> bytes = test::ReadBytes(cursor.Path());
  ASSERT_EQ(static_cast<std::size_t>(cursor.GetCount()), bytes.size() / Record::kSize);
  for (int i = 0; i < cursor.GetCount(); ++i)
    EXPECT_EQ(cursor.RecordAt(i), Record::FromBytes(bytes.data() + static_cast<std::size_t>(i) * Record::kSize));
  EXPECT_NE(cursor.LastError().find("No space left on device"), std::string::npos) << cursor.LastError();
}

// Runs act with write call n failing, for n = 0, 1, ... until act gets
// through without meeting the failure.
void ExpectEveryFailureLeavesTheFile(const fs::path& file, const std::function<void()>& prepare,
                                     const std::function<bool()>& act, const std::function<void()>& check) {
  for (int failAt = 0; failAt < 100; ++failAt) {
    SCOPED_TRACE("failing write call " + std::to_string(failAt));
    prepare();
    const std::vector<std::uint8_t> before = test::ReadBytes(file);
    const std::vector<std::string> names = test::FolderNames(file.parent_path());
    test::FailingFileWriter writer(failAt);
    const bool ok = act();
    if (!writer.Failed()) {
      EXPECT_TRUE(ok);
      return;
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(test::ReadBytes(file), before);
    EXPECT_EQ(test::FolderNames(file.parent_path()), names) << "a temporary file was left behind";
    check();
  }
  ADD_FAILURE() << "never succeeded";
}

class WriteFailureTest : public ::testing::Test {
 protected:
  void PrepareSteps(std::vector<DayRecord> records) {
    steps.Close();
    for (std::size_t i = 0; i < records.size(); ++i)
      if (records[i].id == 0) records[i].id = 100 + static_cast<int>(i);
    test::WriteDays(stepFile, records);
    ASSERT_TRUE(steps.Open(stepFile));
  }

  test::TempDir dir;
  fs::path stepFile = dir / "100.dat";
  StepData steps;
};

TEST_F(WriteFailureTest, SortingAndRenumberingIsAllOrNothing) {
  const auto check = [&] { ExpectCursorMatchesFile(steps); };
  // Records that move: the file is rewritten whole.
  ExpectEveryFailureLeavesTheFile(
      stepFile,
      [&] {
        PrepareSteps({Day(2009, 1, 3), Day(2009, 1, 1), Day(2009, 1, 2)});
      },
      [&] { return steps.SortAndRenumber(); }, check);
  EXPECT_EQ(steps.RecordAt(0).day, 1);
  EXPECT_EQ(steps.RecordAt(2).id, 102);

  // Records already in order: only wrong ids are written, in place.
  DayRecord remerged = Day(2009, 1, 2);
  remerged.id = 100;
  ExpectEveryFailureLeavesTheFile(
      stepFile,
      [&] {
        PrepareSteps({Day(2009, 1, 1), remerged, Day(2009, 1, 3)});
      },
      [&] { return steps.SortAndRenumber(); }, check);
  EXPECT_EQ(steps.RecordAt(1).id, 101);
}

TEST_F(WriteFailureTest, MergingADayAddsOrReplacesItOrNothing) {
  for (unsigned day : {2u, 9u}) {
    ExpectEveryFailureLeavesTheFile(
        stepFile,
        [&] {
          PrepareSteps({Day(2009, 1, 1, 10), Day(2009, 1, 2, 20)});
        },
        [&] {
          steps.Current() = Day(2009, 1, day, 99);
          return steps.MergeDay();
        },
        [&] { ExpectCursorMatchesFile(steps); });
    EXPECT_EQ(steps.RecordAt(steps.GetCount() - 1).steps, 99);
  }
}

TEST_F(WriteFailureTest, DeletingAUserIsAllOrNothing) {
  const fs::path file = dir / "user.dat";
  test::WriteBytes(dir / "101.dat", std::vector<std::uint8_t>{1});
  UserData users;
  ExpectEveryFailureLeavesTheFile(
      file,
      [&] {
        users.Close();
        fs::remove(file);
        ASSERT_TRUE(users.Open(file));
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(users.Append());
      },
      [&] { return users.Delete(101) == UserData::kDeleted; },
      [&] {
        ExpectCursorMatchesFile(users);
        EXPECT_TRUE(fs::exists(dir / "101.dat")) << "files go only after the record is gone";
      });
  EXPECT_FALSE(fs::exists(dir / "101.dat"));
}

TEST_F(WriteFailureTest, ACopiedFileReplacesTheOldOneWholeOrNotAtAll) {
  test::WriteBytes(dir / "source.dat", std::vector<std::uint8_t>(3000, 7));
  fs::create_directory(dir / "out");
  ExpectEveryFailureLeavesTheFile(
      dir / "out" / "user.dat", [&] { test::WriteBytes(dir / "out" / "user.dat", std::vector<std::uint8_t>(10, 1)); },
      [&] { return CopyFileReplacing(dir / "source.dat", dir / "out" / "user.dat").ok(); }, [] {});
  EXPECT_EQ(test::ReadBytes(dir / "out" / "user.dat"), std::vector<std::uint8_t>(3000, 7));
}

TEST_F(WriteFailureTest, AWholeFileRewriteIsOnTheDiskBeforeItIsRenamedIntoPlace) {
  PrepareSteps({Day(2009, 1, 3), Day(2009, 1, 1), Day(2009, 1, 2)});
  UserData users;
  ASSERT_TRUE(users.Open(dir / "user.dat"));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(users.Append());

  const std::vector<std::function<bool()>> rewrites = {
      [&] { return steps.SortAndRenumber(); },
      [&] { return users.Delete(101) == UserData::kDeleted; },
  };
  for (const auto& rewrite : rewrites) {
    test::RecordingFileWriter writer;
    ASSERT_TRUE(rewrite());
    const std::vector<std::string>& calls = writer.Calls();
    const auto created =
        std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("create"); });
    ASSERT_NE(created, calls.end());
    const std::string fd = created->substr(created->find(' ') + 1);
    const auto rename = std::find(calls.begin(), calls.end(), "rename");
    const auto lastWrite = std::find(calls.rbegin(), calls.rend(), "write " + fd);
    const auto sync = std::find(calls.begin(), calls.end(), "sync " + fd);
    ASSERT_NE(rename, calls.end());
    ASSERT_NE(lastWrite, calls.rend());
    const auto lastWriteAt = calls.rend() - lastWrite - 1;
    EXPECT_GT(sync - calls.begin(), lastWriteAt) << "flushed before its last write";
    EXPECT_LT(sync, rename) << "renamed before it was flushed";
  }
}

TEST_F(WriteFailureTest, ASecondOpenOfAFileInUseFailsSayingWhy) {
  PrepareSteps({Day(2009, 1, 1)});
  const std::string inUse =
      stepFile.string() + " is in use by another Tempovia program; try again when it has finished";
  StepData second;
  EXPECT_FALSE(second.Open(stepFile));
  EXPECT_EQ(second.LastError(), inUse);
  EXPECT_FALSE(second.OpenForReading(stepFile)) << "read while it is being written";
  EXPECT_EQ(second.LastError(), inUse);

  // Readers share the file; a writer waits for them.
  steps.Close();
  StepData reader;
  ASSERT_TRUE(reader.OpenForReading(stepFile));
  EXPECT_TRUE(second.OpenForReading(stepFile));
  EXPECT_FALSE(steps.Open(stepFile));
  EXPECT_EQ(steps.LastError(), inUse);
}

// Another program renamed the data folder away or removed a file while it
// was open here: a write would reach a file nobody sees, so none is made.
TEST_F(WriteFailureTest, AFileReplacedOrRemovedUnderItsCursorIsNeverWritten) {
  for (const bool removed : {false, true}) {
    SCOPED_TRACE(removed ? "removed" : "replaced");
    PrepareSteps({Day(2009, 1, 1, 10)});
    const fs::path moved = dir / "moved.dat";
    fs::rename(stepFile, moved);
    if (!removed) fs::copy_file(moved, stepFile);
    const std::vector<std::uint8_t> before = test::ReadBytes(moved);
    steps.Current() = Day(2009, 1, 2, 20);
    EXPECT_FALSE(steps.MergeDay());
    EXPECT_NE(steps.LastError().find(stepFile.string() + " was replaced or removed"), std::string::npos)
        << steps.LastError();
    EXPECT_FALSE(steps.SortAndRenumber());
    EXPECT_EQ(test::ReadBytes(moved), before);
    if (!removed) {
      EXPECT_EQ(test::ReadBytes(stepFile), before);
    }
    EXPECT_EQ(steps.GetCount(), 1) << "the cursor keeps what its file holds";
    steps.Close();
    fs::remove(moved);
    fs::remove(stepFile);
  }
}

}  // namespace
}  // namespace tempovia
