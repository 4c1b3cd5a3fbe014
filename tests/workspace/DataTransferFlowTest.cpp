#include "workspace/DataTransferFlow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <map>

#include "FileContents.h"
#include "TempDir.h"
#include "base/testing/FakeClock.h"
#include "store/StorePaths.h"
#include "workspace/testing/OtherComputersData.h"

namespace tempovia {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ScriptedTransferUi final : public TransferUi {
 public:
  fs::path ChooseFolder(const std::string& title) override {
    titles.push_back(title);
    return chosen;
  }
  bool AskYesNo(const std::string& question) override {
    texts.push_back(question);
    icons.push_back(NoticeIcon::Question);
    return answer;
  }
  void Show(NoticeIcon icon, const std::string& text) override {
    texts.push_back(text);
    icons.push_back(icon);
  }
  void SetBusy(bool busy) override { busyNow = busy; }
  void ReleaseUserFiles() override { ++releases; }

  fs::path chosen;
  bool answer = false;
  std::vector<std::string> titles;
  std::vector<std::string> texts;
  std::vector<NoticeIcon> icons;
  bool busyNow = false;
  int releases = 0;
};

// Two users (Ann, Ben) with their files; Ben is logged in.
class DataTransferFlowTest : public ::testing::Test {
 protected:
  DataTransferFlowTest() {
    EXPECT_TRUE(paths.CreateDataFolder().ok());
    EXPECT_TRUE(users.Open(paths.UserDatabase()));
    for (const char* name : {"Ann", "Ben"}) {
      LocalUserRecord user;
      user.name = name;
      user.password = "pw";
      EXPECT_TRUE(users.Add(user, paths, clock.Now()).ok());
      std::ofstream(*paths.UserFile(user.stepFile)) << name << "'s days";
    }
    ben = *users.FindNamed("Ben");
  }

  test::TempDir dir;
  StorePaths paths{dir / "home"};
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  UserData users;
  LocalUserRecord ben;
  ScriptedTransferUi ui;
  DataTransferFlow flow{paths, users, ui, clock};
};

TEST_F(DataTransferFlowTest, ExportingTwiceOnADayAsksAndNoChangesNothing) {
  ui.chosen = dir / "backups";
  fs::create_directories(ui.chosen);
  DataTransferFlow::Result result = flow.Export(ben);
  EXPECT_THAT(ui.titles, ElementsAre("Please select a folder to export"));
  const fs::path exported = ui.chosen / "Tempovia Data 20-Mar-2008";
  ASSERT_THAT(ui.texts, ElementsAre("Files exported to " + exported.string()));
  EXPECT_EQ(ui.icons[0], NoticeIcon::None);
  EXPECT_EQ(test::Tree(exported), test::Tree(paths.DataFolder()));
  // The logged-in user is found again, whoever is first in the file.
  EXPECT_EQ(result.outcome, DataTransferFlow::Outcome::SameUser);
  EXPECT_EQ(result.user->name, "Ben");
  EXPECT_EQ(ui.releases, 1);
  EXPECT_FALSE(ui.busyNow);

  std::ofstream(paths.DataFolder() / "later.dat") << "new";
  const auto copy = test::Tree(exported);
  ui.texts.clear();
  result = flow.Export(ben);
  EXPECT_THAT(ui.texts, ElementsAre("Output folder already exist\n\nOverwrite data inside the folder ??"));
  EXPECT_EQ(test::Tree(exported), copy);
  EXPECT_EQ(result.outcome, DataTransferFlow::Outcome::Nothing);
  EXPECT_EQ(result.user->name, "Ben");
  EXPECT_TRUE(users.IsOpen());

  ui.answer = true;
  flow.Export(ben);
  EXPECT_TRUE(fs::exists(exported / "later.dat"));
}

TEST_F(DataTransferFlowTest, ExportingIntoTempoviasOwnFolderIsRefusedAndAFileThatCannotBeCopiedIsNamed) {
  ui.chosen = paths.DataFolder();
  flow.Export(ben);
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_EQ(ui.icons[0], NoticeIcon::Warning);
  EXPECT_FALSE(fs::exists(ui.chosen / "Tempovia Data 20-Mar-2008"));

  ui.texts.clear();
  ui.icons.clear();
  ASSERT_EQ(::mkfifo((paths.DataFolder() / "pipe").c_str(), 0600), 0);
  ui.chosen = dir / "out";
  fs::create_directories(ui.chosen);
  const DataTransferFlow::Result result = flow.Export(ben);
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_THAT(ui.texts[0], HasSubstr("Files exported to"));
  EXPECT_THAT(ui.texts[0], HasSubstr("pipe"));
  EXPECT_EQ(ui.icons[0], NoticeIcon::Warning);
  EXPECT_TRUE(fs::exists(ui.chosen / "Tempovia Data 20-Mar-2008" / "user.dat"));
  EXPECT_EQ(result.user->name, "Ben");
}

TEST_F(DataTransferFlowTest, ImportReplacesUserDatLogsInItsFirstUserAndKeepsTheOldFolderSafe) {
  const fs::path source = dir / "other";
  ASSERT_TRUE(test::WriteOtherComputersData(source));
  const auto before = test::Tree(paths.DataFolder());
  ui.chosen = source;
  const DataTransferFlow::Result result = flow.Import(ben);
  EXPECT_THAT(ui.titles, ElementsAre("Please select a folder to import"));
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_EQ(ui.texts[0].rfind("Data Imported!", 0), 0u);
  EXPECT_EQ(ui.icons[0], NoticeIcon::None);
  EXPECT_EQ(test::ReadBytes(paths.DataFolder() / "user.dat"), test::ReadBytes(source / "user.dat"));
  EXPECT_TRUE(fs::exists(paths.PhotosFolder() / "100.png"));
  EXPECT_EQ(result.outcome, DataTransferFlow::Outcome::UserChanged);
  ASSERT_TRUE(result.user);
  EXPECT_EQ(result.user->name, "Cleo");
  // The safety copy holds the data folder as it was and is named.
  const fs::path backup = fs::directory_iterator(paths.BackupsFolder())->path();
  EXPECT_EQ(test::Tree(backup), before);
  EXPECT_THAT(ui.texts[0], HasSubstr(backup.string()));
  EXPECT_EQ(fs::status(backup).permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
}

TEST_F(DataTransferFlowTest, AnImportWithoutUserDatOrFromTheDataFolderCopiesNothing) {
  const auto before = test::Tree(paths.DataFolder());
  ui.chosen = dir / "empty";
  fs::create_directories(ui.chosen);
  std::ofstream(ui.chosen / "100.dat") << "x";
  DataTransferFlow::Result result = flow.Import(ben);
  EXPECT_THAT(ui.texts, ElementsAre("Incorrect files!\n\n" + ui.chosen.string() + " holds no user.dat"));
  EXPECT_EQ(ui.icons[0], NoticeIcon::None);
  EXPECT_EQ(result.outcome, DataTransferFlow::Outcome::Nothing);
  EXPECT_EQ(result.user->name, "Ben");

  // A user.dat that is not a user database: refused the same way, saying why.
  ui.texts.clear();
  ui.icons.clear();
  std::ofstream(ui.chosen / "user.dat") << std::string(100, 'x');
  result = flow.Import(ben);
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_EQ(ui.texts[0], "Incorrect files!\n\n" + (ui.chosen / "user.dat").string() +
                             " is not a user database: its 100 bytes are not a whole number of 152-byte user records");
  EXPECT_EQ(ui.icons[0], NoticeIcon::None);
  EXPECT_EQ(test::Tree(paths.DataFolder()), before);
  EXPECT_FALSE(fs::exists(paths.BackupsFolder()));
  EXPECT_TRUE(users.IsOpen());
  EXPECT_EQ(result.user->name, "Ben");

  ui.texts.clear();
  ui.icons.clear();
  ui.chosen = paths.DataFolder();
  result = flow.Import(ben);
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_EQ(ui.icons[0], NoticeIcon::Warning);
  EXPECT_EQ(test::Tree(paths.DataFolder()), before);
  EXPECT_EQ(result.user->name, "Ben");
}

// An export kept inside the data folder, or inside a folder being imported,
// would travel one level deeper with every copy: it is left out and named.
TEST_F(DataTransferFlowTest, FoldersHoldingAUserDatabaseOfTheirOwnAreLeftOutAndNamed) {
  fs::create_directories(paths.DataFolder() / "Tempovia Data 01-Mar-2008");
  std::ofstream(paths.DataFolder() / "Tempovia Data 01-Mar-2008" / "user.dat") << "";
  ui.chosen = dir / "backups";
  fs::create_directories(ui.chosen);
  flow.Export(ben);
  const fs::path exported = ui.chosen / "Tempovia Data 20-Mar-2008";
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_EQ(ui.texts[0], "Files exported to " + exported.string() +
                             "\n\nNot exported, as each holds a user.dat of its own (another data folder or "
                             "export):\n" +
                             fs::canonical(paths.DataFolder()).string() + "/Tempovia Data 01-Mar-2008");
  EXPECT_EQ(ui.icons[0], NoticeIcon::None);
  EXPECT_FALSE(fs::exists(exported / "Tempovia Data 01-Mar-2008"));

  // The export, with another export saved inside it, imported back.
  fs::create_directories(exported / "inner");
  std::ofstream(exported / "inner" / "user.dat") << "";
  ui.texts.clear();
  ui.chosen = exported;
  flow.Import(ben);
  ASSERT_EQ(ui.texts.size(), 1u);
  EXPECT_THAT(ui.texts[0], HasSubstr("\n\nNot imported, as each holds a user.dat of its own (another data folder or "
                                     "export):\n" +
                                     fs::canonical(exported).string() + "/inner"));
  EXPECT_THAT(ui.texts[0], HasSubstr("\n\nKept in the data folder but not in the safety copy, as each holds a "
                                     "user.dat of its own (another data folder or export):\n"));
  EXPECT_FALSE(fs::exists(paths.DataFolder() / "inner"));
  EXPECT_TRUE(fs::exists(paths.DataFolder() / "Tempovia Data 01-Mar-2008" / "user.dat"));
}

TEST_F(DataTransferFlowTest, CancellingTheFolderChooserDoesNothing) {
  EXPECT_EQ(flow.Export(ben).outcome, DataTransferFlow::Outcome::Nothing);
  EXPECT_EQ(flow.Import(ben).outcome, DataTransferFlow::Outcome::Nothing);
  EXPECT_TRUE(ui.texts.empty());
  EXPECT_EQ(ui.titles.size(), 2u);
  EXPECT_EQ(ui.releases, 0);
  EXPECT_TRUE(users.IsOpen());
}

// The logged-in user gone from the file after an export (another copy of
// user.dat was put in its place): the first user is logged in, and said so.
TEST_F(DataTransferFlowTest, ALoggedInUserNoLongerInTheFileGivesWayToTheFirst) {
  LocalUserRecord gone = ben;
  gone.id = 555;
  ui.chosen = dir / "backups";
  fs::create_directories(ui.chosen);
  const DataTransferFlow::Result result = flow.Export(gone);
  EXPECT_EQ(result.outcome, DataTransferFlow::Outcome::UserChanged);
  EXPECT_EQ(result.user->name, "Ann");
  EXPECT_EQ(ui.texts[0],
            "The logged-in user is no longer in the user database.\n\nThe first user of the database is shown.");
}

}  // namespace
}  // namespace tempovia
