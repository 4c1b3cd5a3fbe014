#include "store/StepGoal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FileContents.h"
#include "TempDir.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;

TEST(StepGoal, TheFieldTakesNothingOrAWholeNumberInRange) {
  const struct {
    const char* text;
    bool ok;
    std::optional<int> goal;
  } cases[] = {{"", true, std::nullopt},
               {"  ", true, std::nullopt},
               {"1000", true, 1000},
               {"99999", true, 99999},
               {" 8000\n", true, 8000},
               {"999", false, std::nullopt},
               {"100000", false, std::nullopt},
               {"0", false, std::nullopt},
               {"-5000", false, std::nullopt},
               {"+5000", false, std::nullopt},
               {"10,000", false, std::nullopt},
               {"12a00", false, std::nullopt},
               {"5000.5", false, std::nullopt},
               {"0000010000", false, std::nullopt}};
  for (const auto& c : cases) {
    std::optional<int> goal = 4242;
    EXPECT_EQ(ParseStepGoal(c.text, goal), c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(goal, c.goal) << '"' << c.text << '"';
    }
  }
}

TEST(StepGoal, RoundTripsAndAnythingUnreadableIsNoGoal) {
  test::TempDir dir;
  const StorePaths paths(dir.Path());
  ASSERT_TRUE(paths.CreateDataFolder().ok());
  EXPECT_EQ(LoadStepGoal(paths, 100), std::nullopt) << "no file";

  ASSERT_TRUE(SaveStepGoal(paths, 100, 12500).ok());
  EXPECT_EQ(test::ReadText(paths.DataFolder() / "100_goal.txt"), "12500\n");
  EXPECT_EQ(LoadStepGoal(paths, 100), 12500);
  EXPECT_EQ(LoadStepGoal(paths, 101), std::nullopt) << "another user's";

  const fs::path file = paths.DataFolder() / StepGoalFileName(100);
  for (const std::string& text : {std::string(), std::string("lots"), std::string("500\n"), std::string(300, '1')}) {
    test::WriteText(file, text);
    EXPECT_EQ(LoadStepGoal(paths, 100), std::nullopt) << text;
  }
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_EQ(LoadStepGoal(paths, 100), std::nullopt) << "a folder in its place";
  EXPECT_FALSE(SaveStepGoal(paths, 100, 9000).ok());
  fs::remove(file);

  // No goal removes the file; removing what is not there is no failure.
  ASSERT_TRUE(SaveStepGoal(paths, 100, 9000).ok());
  ASSERT_TRUE(SaveStepGoal(paths, 100, std::nullopt).ok());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(SaveStepGoal(paths, 100, std::nullopt).ok());

  // A data folder that is gone: the save says so and nothing is left.
  const StorePaths gone(dir / "missing");
  EXPECT_FALSE(SaveStepGoal(gone, 100, 9000).ok());
  EXPECT_EQ(LoadStepGoal(gone, 100), std::nullopt);
}

}  // namespace
}  // namespace tempovia
