#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "StoreTestSupport.h"
#include "TempDir.h"
#include "store/UserSettings.h"

namespace tempovia {
namespace {

TEST(UserSettings, AnEmptyOrShortFileGivesTheDefaultsAndSavingWrites264Bytes) {
  test::TempDir dir;
  UserSettings settings;
  settings.SetPath(dir / "user.set");
  // A reader that changes nothing gets the defaults and leaves no file.
  EXPECT_TRUE(settings.Load(false));
  EXPECT_FALSE(std::filesystem::exists(dir / "user.set"));
  for (std::size_t size : {0, 100}) {
    test::WriteBytes(dir / "user.set", std::vector<std::uint8_t>(size, 1));
    settings.distanceUnit = 1;
    EXPECT_EQ(settings.Load(), size == 0);
    EXPECT_EQ(settings.distanceUnit, 0);
    EXPECT_EQ(settings.weightUnit, 0);
    EXPECT_EQ(settings.writeClock, 0);
    EXPECT_EQ(settings.downloadData, 0);
  }
  settings.weightUnit = 1;
  settings.reportPath = "/tmp/r.pdf";
  ASSERT_TRUE(settings.Save().ok());
  EXPECT_EQ(std::filesystem::file_size(dir / "user.set"), 264u);
  UserSettings again;
  again.SetPath(dir / "user.set");
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.weightUnit, 1);
  EXPECT_EQ(again.reportPath, "/tmp/r.pdf");
}

TEST(UserSettings, AFolderThatCannotBeWrittenKeepsTheDefaultsAndReportsTheSave) {
  test::TempDir dir;
  test::WriteBytes(dir / "file", std::vector<std::uint8_t>{1});
  UserSettings settings;
  settings.SetPath(dir / "file" / "user.set");  // inside a file: no one can write there
  EXPECT_FALSE(settings.Load());
  EXPECT_EQ(settings.distanceUnit, 0);
  settings.distanceUnit = 1;
  EXPECT_NE(settings.Save().message().find("Not a directory"), std::string::npos);
}

}  // namespace
}  // namespace tempovia
