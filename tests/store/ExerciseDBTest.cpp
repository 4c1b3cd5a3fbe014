#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "store/ExerciseDB.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

using test::Session;

class ExerciseDBTest : public ::testing::Test {
 protected:
  void Merge(const StoredExercise& session) {
    db.Current() = session;
    ASSERT_TRUE(db.MergeExercise());
  }

  test::TempDir dir;
  CExerciseDB db;
};

TEST_F(ExerciseDBTest, MergesAddReplaceAndKeepSessionsBySecond) {
  ASSERT_TRUE(db.Open(dir / "100_exercise.dat"));
  TraceCapture trace;
  Merge(Session(2008, 12, 8, 7, 5, 9, 1000));
  Merge(Session(2008, 12, 8, 7, 5, 10, 2000));
  Merge(Session(2008, 12, 8, 7, 5, 9, 3000));
  EXPECT_EQ(trace.Messages(), (std::vector<std::string>{"Add first record for : 08-12-08 07:05:09\n",
                                                        "Add new exercise record for : 08-12-08 07:05:10\n",
                                                        "Modify record for : 08-12-08 07:05:09\n"}));
  ASSERT_EQ(db.GetCount(), 2);
  EXPECT_EQ(db.RecordAt(0).steps, 3000);
  EXPECT_EQ(db.RecordAt(0).id, 0);  // replaced whole, id included, until renumbered
  EXPECT_EQ(db.RecordAt(1).steps, 2000);

  StoredExercise found;
  EXPECT_TRUE(db.FindByDateTime(LocalDateTime::From(2008, 12, 8, 7, 5, 10), found));
  EXPECT_EQ(found.steps, 2000);
  EXPECT_FALSE(db.FindByDateTime(LocalDateTime::From(2008, 12, 8, 7, 5, 11), found));
  EXPECT_EQ(found, StoredExercise{});
}

TEST_F(ExerciseDBTest, SessionsOfThreeYearsSortInAnyMergeOrder) {
  const std::array<StoredExercise, 3> sessions = {Session(2008, 5, 1, 9, 0, 0, 8), Session(2010, 1, 2, 9, 0, 0, 10),
                                                  Session(2011, 7, 3, 9, 0, 0, 11)};
  std::array<int, 3> order = {0, 1, 2};
  do {
    std::filesystem::remove(dir / "sorted.dat");
    ASSERT_TRUE(db.Open(dir / "sorted.dat"));
    for (int i : order) Merge(sessions[static_cast<std::size_t>(i)]);
    ASSERT_TRUE(db.SortAndRenumber());
    ASSERT_TRUE(db.Open(dir / "sorted.dat"));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(db.RecordAt(i).id, 100 + i);
      EXPECT_EQ(db.RecordAt(i).steps, sessions[static_cast<std::size_t>(i)].steps);
    }
  } while (std::next_permutation(order.begin(), order.end()));
}

}  // namespace
}  // namespace tempovia
