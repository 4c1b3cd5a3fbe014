#include "workspace/Workspace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WorkspaceTestSupport.h"

namespace tempovia {
namespace {

using ::testing::ElementsAre;

TEST(WhenTheWatchReturns, AShownWindowComesForwardAndAHiddenMainWindowLogsOut) {
  const struct {
    WindowState state;
    bool busy;
    WatchReturn expected;
  } cases[] = {
      {WindowState::None, false, WatchReturn::Nothing},
      {WindowState::Login, false, WatchReturn::BringForward},
      {WindowState::LoginHidden, false, WatchReturn::BringForward},
      {WindowState::Main, false, WatchReturn::BringForward},
      {WindowState::Main, true, WatchReturn::BringForward},
      {WindowState::MainHidden, false, WatchReturn::LogOut},
      // A download under way ends as usual; its window stays.
      {WindowState::MainHidden, true, WatchReturn::Nothing},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WhenTheWatchReturns(c.state, c.busy), c.expected) << static_cast<int>(c.state) << " " << c.busy;
}

class Front final : public FrontWindow {
 public:
  WindowState State() const override { return state; }
  bool DownloadBusy() const override { return busy; }
  void BringForward() override { ++forward; }
  void LogOutUnattended() override { ++loggedOut; }
  WindowState state = WindowState::Login;
  bool busy = false;
  int forward = 0;
  int loggedOut = 0;
};

class WorkspaceTest : public test::WorkspaceFixture {};

// Through the device monitor's path: the driver host handles the arrival,
// the window in front hears the return, nobody else.
TEST_F(WorkspaceTest, TheWatchsReturnGoesToTheWindowInFront) {
  Front front;
  workspace.SetFront(&front);
  Plug(false);
  Plug(true);
  EXPECT_EQ(front.forward, 1);
  ASSERT_NE(host.Driver(), nullptr);

  front.state = WindowState::MainHidden;
  Plug(false);
  Plug(true);
  EXPECT_EQ(front.loggedOut, 1);
  EXPECT_EQ(host.Driver(), nullptr) << "made for the next user's login window";

  workspace.SetFront(nullptr);
  Plug(true);
  EXPECT_EQ(front.forward + front.loggedOut, 2);
}

TEST_F(WorkspaceTest, AUserDatabaseThatWillNotOpenIsToldOnceAndOpensLater) {
  AddUser("Ann", "a");
  UserData holder;
  ASSERT_TRUE(holder.Open(paths.UserDatabase()));
  EXPECT_FALSE(workspace.LoadDataStore());
  const std::string reason = "Failed to open User Data\n\n" + paths.UserDatabase().string() +
                             " is in use by another Tempovia program; try again when it has finished";
  EXPECT_THAT(desktop.Texts(), ElementsAre(reason));
  EXPECT_EQ(workspace.OpenUsers().message(), reason);
  EXPECT_EQ(desktop.boxes.size(), 1u) << "trying again tells nobody";
  holder.Close();
  EXPECT_TRUE(workspace.OpenUsers().ok());
  EXPECT_EQ(workspace.Users().All().size(), 1u);
}

TEST_F(WorkspaceTest, LoadingTheDataStoreReopensTheUsersAndReadsTheUnits) {
  AddUser("Ann", "a");
  UserSettings settings;
  settings.SetPath(paths.SettingsFile());
  settings.distanceUnit = 1;
  ASSERT_TRUE(settings.Save().ok());
  ASSERT_TRUE(workspace.LoadDataStore());
  EXPECT_TRUE(workspace.GetUnits().miles);
  EXPECT_FALSE(workspace.GetUnits().pounds);
  // Another pass of the login cycle finds what was added meanwhile.
  AddUser("Ben", "b");
  ASSERT_TRUE(workspace.LoadDataStore());
  EXPECT_EQ(workspace.Users().All().size(), 2u);
  EXPECT_TRUE(desktop.boxes.empty());
}

// A desktop without a notification area has none for any window: the run
// says so once, however many windows open and however often.
TEST_F(WorkspaceTest, ANotificationAreaThatIsMissingIsToldOnceARun) {
  AddUser("Ann", "a");
  for (int cycle = 0; cycle < 2; ++cycle) {
    ASSERT_TRUE(workspace.LoadDataStore());
    test::RecordingLoginView loginView;
    LoginPresenter login(workspace, loginView);
    login.Start(false, false);
    workspace.LogIn(*workspace.Users().FindNamed("Ann"));
    test::RecordingChart chart;
    test::RecordingMainView mainView;
    MainPresenter main(workspace, mainView, chart);
    main.Start(false);
    workspace.LogOut();
  }
  EXPECT_THAT(desktop.Texts(), ElementsAre("Can't Setup Tray ICON"));
}

}  // namespace
}  // namespace tempovia
