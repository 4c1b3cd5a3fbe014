#include "workspace/LoginPresenter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "WorkspaceTestSupport.h"
#include "skin/WindowCommands.h"
#include "users/UserEditor.h"

namespace tempovia {
namespace {

using ::testing::ElementsAre;

class LoginPresenterTest : public test::WorkspaceFixture {
 protected:
  // The window opens as the login cycle opens it: after the data store.
  void Open(bool trayCreated = true, bool startInTray = false) {
    workspace.LoadDataStore();
    presenter.Start(trayCreated, startInTray);
  }
  std::string Name() const { return view.name; }

  test::RecordingLoginView view;
  LoginPresenter presenter{workspace, view};
};

TEST_F(LoginPresenterTest, WithNoUsersNobodyCanLogInOrBeDeleted) {
  Open();
  EXPECT_EQ(Name(), "  ");
  presenter.LogIn("");
  presenter.LogIn("anything");
  presenter.DeleteUser();
  EXPECT_THAT(desktop.Texts(), ElementsAre("Please enter password to login", "Incorrect Login", "No User Record"));
  EXPECT_EQ(desktop.boxes[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(desktop.boxes[1].icon, NoticeIcon::Information);
  EXPECT_EQ(desktop.boxes[2].icon, NoticeIcon::Warning);
  EXPECT_EQ(view.cleared, 2) << "after each refusal the box is empty again";
  EXPECT_FALSE(presenter.IsLoggedIn());
  EXPECT_EQ(workspace.LoggedIn(), nullptr);
}

TEST_F(LoginPresenterTest, APasswordMustMatchToTheStoredByteAndTheLoginEndsTheWindow) {
  AddUser("Zo\xEB", "P\xE4ss");  // Windows-1252: Zoë, Päss
  Open();
  EXPECT_EQ(Name(), "  Zo\xC3\xAB");
  presenter.LogIn("p\xC3\xA4ss");
  presenter.LogIn("P\xC3\xA4ss\xE2\x9C\x93");
  EXPECT_THAT(desktop.Texts(), ElementsAre("Incorrect Login", "Incorrect Login"));
  EXPECT_FALSE(view.ended);
  presenter.LogIn("P\xC3\xA4ss");
  EXPECT_EQ(view.ended, kLoggedInResult);
  EXPECT_TRUE(presenter.IsLoggedIn());
  ASSERT_NE(workspace.LoggedIn(), nullptr);
  EXPECT_EQ(workspace.LoggedIn()->id, 100);
}

TEST_F(LoginPresenterTest, TheArrowsGoRoundTheUsersPassingHiddenOnes) {
  AddUser("Ann", "a");
  Open();
  presenter.NextUser();
  EXPECT_EQ(Name(), "  Ann");
  presenter.PreviousUser();
  EXPECT_EQ(Name(), "  Ann");

  AddUser("Ben", "b");
  AddUser("Cy", "c");
  AddUser("Dee", "d");
  {
    LocalUserRecord ben = *workspace.Users().Find(101);
    ben.hidden = 1;  // a foreign file may hide users
    ASSERT_TRUE(workspace.Users().Store(ben).ok());
  }
  presenter.PreviousUser();  // from the first: round to the last
  EXPECT_EQ(Name(), "  Dee");
  presenter.NextUser();
  EXPECT_EQ(Name(), "  Ann");
  presenter.NextUser();
  EXPECT_EQ(Name(), "  Cy");
  presenter.PreviousUser();
  EXPECT_EQ(Name(), "  Ann");
  presenter.LogIn("a");
  EXPECT_EQ(workspace.LoggedIn()->name, "Ann");
}

TEST_F(LoginPresenterTest, DeletingWantsTheShownUsersPasswordAndTakesTheirFiles) {
  AddUser("Ann", "a");
  const LocalUserRecord ben = AddUser("Ben", "Secret");
  Open();
  presenter.PreviousUser();
  EXPECT_EQ(Name(), "  Ben");
  const std::filesystem::path steps = *paths.UserFile(ben.stepFile);
  ASSERT_TRUE(std::filesystem::exists(steps));

  presenter.DeleteUser();  // cancelled
  desktop.password = "secret";
  presenter.DeleteUser();
  EXPECT_THAT(desktop.Texts(), ElementsAre("Invalid Password"));
  EXPECT_EQ(workspace.Users().GetCount(), 2);
  EXPECT_TRUE(std::filesystem::exists(steps));

  desktop.password = "Secret";
  presenter.DeleteUser();
  EXPECT_EQ(desktop.Texts().back(), "User Record Deleted");
  EXPECT_EQ(desktop.boxes.back().icon, NoticeIcon::None);
  EXPECT_EQ(workspace.Users().GetCount(), 1);
  EXPECT_FALSE(std::filesystem::exists(steps));
  EXPECT_EQ(Name(), "  Ann");  // the first left

  desktop.password = "a";
  presenter.DeleteUser();
  EXPECT_EQ(workspace.Users().GetCount(), 0);
  EXPECT_EQ(Name(), "  ");
}

TEST_F(LoginPresenterTest, AUserWithoutANameCannotBeDeleted) {
  AddUser("", "x");  // a foreign file
  Open();
  presenter.DeleteUser();
  EXPECT_THAT(desktop.Texts(), ElementsAre("Please select an user"));
}

TEST_F(LoginPresenterTest, ANewUserMadeHereIsTheOneShown) {
  AddUser("Ann", "a");
  Open();
  desktop.editor = [](UserEditor& editor) {
    EXPECT_EQ(editor.GetMode(), UserEditor::Mode::Create);
    return editor.Save({"Ben", "b", "", "", "", "", "", -1}, [] { return std::optional<std::string>("b"); }).close;
  };
  presenter.NewUser();
  EXPECT_EQ(Name(), "  Ben");
  EXPECT_EQ(workspace.Users().GetCount(), 2);
  // Cancelled: the shown user stays.
  desktop.editor = nullptr;
  presenter.NextUser();
  presenter.NewUser();
  EXPECT_EQ(Name(), "  Ann");
}

// The last main window found user.dat held (a folder that was read-only when
// it closed is the same case): the login window tries again, quietly when it
// opens, saying why at each login that still fails.
TEST_F(LoginPresenterTest, AUserDatabaseThatWouldNotOpenIsTriedAgain) {
  AddUser("Ann", "a");
  auto holder = std::make_unique<UserData>();
  ASSERT_TRUE(holder->Open(paths.UserDatabase()));
  Open();
  ASSERT_EQ(desktop.boxes.size(), 1u) << "said once, by the data store's loading";
  const std::string reason = desktop.Texts()[0];
  EXPECT_EQ(Name(), "  ");
  presenter.LogIn("a");
  EXPECT_THAT(desktop.Texts(), ElementsAre(reason, reason)) << "not \"Incorrect Login\"";
  holder.reset();
  presenter.LogIn("a");
  EXPECT_EQ(desktop.boxes.size(), 2u);
  EXPECT_EQ(view.ended, kLoggedInResult);
  EXPECT_EQ(Name(), "  Ann");
}

TEST_F(LoginPresenterTest, OutOfSightIsHiddenWithATrayAndMinimisedWithout) {
  for (const bool tray : {true, false}) {
    test::RecordingLoginView window;
    LoginPresenter login(workspace, window);
    desktop.Clear();
    workspace.LoadDataStore();
    login.Start(tray, true);
    EXPECT_TRUE(window.minimised);
    EXPECT_EQ(window.hidden, tray);
    EXPECT_EQ(desktop.Texts(), tray ? std::vector<std::string>{} : std::vector<std::string>{"Can't Setup Tray ICON"});
    login.TrayCommand(kTrayShowCommand);
    EXPECT_FALSE(window.hidden);
    EXPECT_EQ(window.broughtForward, 1);
    window.minimised = false;
    login.CloseBox();
    EXPECT_EQ(window.hidden, tray);
    EXPECT_EQ(window.minimised, !tray);
    login.TrayCommand(kTrayExitCommand);
    EXPECT_EQ(window.ended, kCancelResult);
  }
  presenter.Escape();
  EXPECT_EQ(view.ended, kCancelResult);
}

// The watch at the login window: nobody is logged in to log out; the window
// comes to the person who plugged it in, from the tray too.
TEST_F(LoginPresenterTest, TheWatchPluggedInBringsTheWindowForwardAndLogsNobodyOut) {
  AddUser("Ann", "a");
  Open(true, true);
  EXPECT_TRUE(view.hidden);
  ASSERT_NE(host.Driver(), nullptr) << "opened with the window";
  Plug(false);
  EXPECT_EQ(host.Driver(), nullptr);
  Plug(true);
  EXPECT_NE(host.Driver(), nullptr);
  EXPECT_FALSE(view.hidden);
  EXPECT_EQ(view.broughtForward, 1);
  EXPECT_FALSE(view.ended);
  EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
}  // namespace tempovia
