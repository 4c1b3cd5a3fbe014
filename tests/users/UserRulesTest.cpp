#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "TempDir.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/UserData.h"
#include "users/UserRules.h"

namespace tempovia {
namespace {

TEST(UserRules, LengthsAreReadInEitherUnitSystem) {
  struct Case {
    const char* text;
    double stored;
    bool imperial;
    Measure measure;
    double expected;
  };
  const Case cases[] = {
      {"175", 0, false, Measure::Height, 175.0},
      {"  180.5cm", 0, false, Measure::Height, 180.5},
      {"99", 0, false, Measure::Height, 0},   // below the range
      {"241", 0, false, Measure::Height, 0},  // above it
      {"abc", 170, false, Measure::Height, 0},
      {"5'10\"", 175.26, true, Measure::Height, 70 * 2.54},
      {"5'9\"", 175.26, true, Measure::Height, 175.26},  // the shown value, untouched: no drift
      {"69", 0, true, Measure::Height, 0},               // read as 6 inches, far too short
      {"8\"", 0, true, Measure::WalkingStride, 8 * 2.54},
      {"5'9", 0, true, Measure::Height, 60 * 2.54},  // the last character is taken for the quote
      {"'5\"", 0, true, Measure::Height, 0},
      {"2'6\"", 0, true, Measure::RunningStride, 30 * 2.54},
      {"181", 0, false, Measure::WalkingStride, 0},
      {"nan", 0, false, Measure::Height, 0},  // a number to strtod, but never a height
      {"nan'5\"", 0, true, Measure::Height, 0},
      {"99999999999'1\"", 0, true, Measure::Height, 0},  // beyond int: compared without overflow
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(ParseLength(c.text, c.stored, c.imperial, c.measure), c.expected) << c.text;
}

TEST(UserRules, WeightsInPoundsAreConvertedEveryTime) {
  EXPECT_DOUBLE_EQ(ParseWeight("154", true), 154 / 2.205);
  EXPECT_DOUBLE_EQ(ParseWeight("70", false), 70);
  EXPECT_DOUBLE_EQ(ParseWeight("19", false), 0);
  EXPECT_DOUBLE_EQ(ParseWeight("20", false), 20);
  EXPECT_DOUBLE_EQ(ParseWeight("220", false), 220);
  EXPECT_DOUBLE_EQ(ParseWeight("486", true), 0);
  EXPECT_DOUBLE_EQ(ParseWeight("NaN", false), 0);
}

TEST(UserRules, FirstOutOfRangeFollowsTheEditorsOrder) {
  LocalUserRecord user;
  user.height = 170;
  user.weight = 250;
  user.walkingStride = 10;
  EXPECT_EQ(FirstOutOfRange(user, true), Measure::Weight);
  user.weight = 70;
  EXPECT_EQ(FirstOutOfRange(user, true), Measure::WalkingStride);
  user.walkingStride = 70;
  EXPECT_EQ(FirstOutOfRange(user, true), std::nullopt);  // an unset running stride is fine here
  EXPECT_EQ(FirstOutOfRange(user, false), Measure::RunningStride);
  user.height = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(FirstOutOfRange(user, true), Measure::Height);
  EXPECT_EQ(RangeMessage(Measure::RunningStride, true),
            "Invalid stride (Running)!\nIt should be ranged from 8\" ~ 5'11\"");
}

TEST(UserRules, AddUserRefusesAnExistingNameAndCreatesTheFilesOfANewOne) {
  test::TempDir dir;
  const StorePaths paths(dir.Path());
  ASSERT_TRUE(paths.CreateDataFolder().ok());
  UserData users;
  ASSERT_TRUE(users.Open(paths.UserDatabase()));

  const LocalDateTime now = LocalDateTime::From(2008, 3, 20, 9, 0, 0);
  LocalUserRecord ann;
  ann.name = "Ann";
  ann.password = "pw";
  ann.photo = "typed.jpg";
  ASSERT_TRUE(AddUser(users, paths, ann, now).ok());
  EXPECT_EQ(ann.id, 100);
  EXPECT_EQ(ann.photo, "");  // no photo until one is chosen
  EXPECT_EQ(users.Find(100)->name, "Ann");
  EXPECT_TRUE(std::filesystem::exists(paths.DataFolder() / "100.dat"));
  EXPECT_TRUE(std::filesystem::exists(paths.DataFolder() / "100_exercise.dat"));

  LocalUserRecord again;
  again.name = "Ann";
  const Status duplicate = AddUser(users, paths, again, now);
  EXPECT_EQ(duplicate.message(), kDuplicateNameMessage);
  EXPECT_EQ(users.GetCount(), 1);
  EXPECT_EQ(again.name, "Ann");  // as typed, for correction
  EXPECT_EQ(again.id, 0);

  LocalUserRecord lower;
  lower.name = "ann";  // letter case makes another name
  ASSERT_TRUE(AddUser(users, paths, lower, now).ok());
  EXPECT_EQ(lower.id, 101);
  EXPECT_EQ(users.GetCount(), 2);
}

}  // namespace
}  // namespace tempovia
