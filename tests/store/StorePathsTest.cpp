#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "TempDir.h"
#include "store/StorePaths.h"

namespace tempovia {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void SetVariable(const char* name, const std::optional<std::string>& value) {
  if (value)
    ::setenv(name, value->c_str(), 1);
  else
    ::unsetenv(name);
}

TEST(StorePaths, BaseFolderComesFromTheEnvironment) {
  struct Case {
    std::optional<std::string> tempoviaHome, xdgDataHome;
    std::string base;
  };
  const Case cases[] = {
      {"/srv/tempovia", "/x/share", "/srv/tempovia"},
      {"", "/x/share", "/x/share/Tempovia/R7204"},
      {std::nullopt, std::nullopt, "/home/anna/.local/share/Tempovia/R7204"},
      {std::nullopt, "relative/share", "/home/anna/.local/share/Tempovia/R7204"},  // not valid: ignored
  };
  const std::optional<std::string> saved[] = {Variable("TEMPOVIA_HOME"), Variable("XDG_DATA_HOME"), Variable("HOME")};
  ::setenv("HOME", "/home/anna", 1);
  for (const Case& c : cases) {
    SetVariable("TEMPOVIA_HOME", c.tempoviaHome);
    SetVariable("XDG_DATA_HOME", c.xdgDataHome);
    EXPECT_EQ(StorePaths::FromEnvironment().Base(), c.base);
  }
  SetVariable("TEMPOVIA_HOME", saved[0]);
  SetVariable("XDG_DATA_HOME", saved[1]);
  SetVariable("HOME", saved[2]);

  const StorePaths paths("/b");
  EXPECT_EQ(paths.SettingsFile(), "/b/user.set");
  EXPECT_EQ(paths.UserDatabase(), "/b/data/user.dat");
  EXPECT_EQ(paths.PhotoFile("100.jpg"), std::filesystem::path("/b/data/photos/100.jpg"));
  EXPECT_EQ(StorePaths::PhotoFileName(104, "/home/anna/Bilder/ich.JPG"), "104.JPG");
}

TEST(StorePaths, StoredNamesThatLeaveTheDataFolderAreRefused) {
  const StorePaths paths("/b");
  for (const char* name : {"", ".", "..", "../100.dat", "/etc/passwd", "a/b", "..\\..\\x.dat", "sub\\100.dat"}) {
    EXPECT_FALSE(paths.UserFile(name)) << name;
    EXPECT_FALSE(paths.PhotoFile(name)) << name;
  }
  EXPECT_FALSE(paths.UserFile("user.dat"));
  EXPECT_FALSE(paths.UserFile("photos"));
  EXPECT_EQ(paths.UserFile("..100.dat"), std::filesystem::path("/b/data/..100.dat"));
}

TEST(StorePaths, DataFolderIsReadableByItsOwnerOnly) {
  test::TempDir dir;
  const StorePaths paths(dir / "Tempovia" / "R7204");
  struct stat info {};
  ASSERT_TRUE(paths.CreateDataFolder().ok());
  ASSERT_EQ(::stat(paths.DataFolder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  // One opened to others by hand is closed again.
  ASSERT_EQ(::chmod(paths.DataFolder().c_str(), 0755), 0);
  ASSERT_TRUE(paths.CreatePhotosFolder().ok());
  ASSERT_EQ(::stat(paths.DataFolder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace tempovia
