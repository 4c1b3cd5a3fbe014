#include "DlgLogin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "AppContext.h"
#include "DlgMain.h"
#include "FakeClock.h"
#include "FakeTrayArea.h"
#include "Label.h"
#include "ScriptedMessageBoxes.h"
#include "SimulatedWatch.h"
#include "SingleInstance.h"
#include "TempDir.h"
#include "TraceCapture.h"
#include "TrayNotifyIcon.h"
#include "UserRules.h"

namespace tempovia {
namespace {

using ::testing::ElementsAre;

QPoint Centre(int area) {
  const HitRect& r = kLoginAreas[static_cast<std::size_t>(area)];
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class LoginTest : public ::testing::Test {
 protected:
  LoginTest() {
    AppOptions options;
    options.home = dir.Path().string();
    options.watch = {true, "3"};
    options.instant = true;
    app = std::make_unique<AppContext>(options, clock);
  }

  void AddUsers(std::initializer_list<std::pair<const char*, const char*>> users) {
    UserData file;
    ASSERT_TRUE(app->Paths().CreateDataFolder().ok());
    ASSERT_TRUE(file.Open(app->Paths().UserDatabase()));
    for (const auto& [name, password] : users) {
      LocalUserRecord user;
      user.name = name;
      user.password = password;
      file.Current() = user;
      ASSERT_TRUE(file.Append());
    }
  }

  CDlgLogin& Open() {
    // The login window speaks to its main window until it is gone: a second
    // Open must not leave it pointing at a main window already destroyed.
    login.reset();
    main = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(mainTray));
    main->LoadDataStore();
    login = std::make_unique<CDlgLogin>(std::make_unique<test::FakeTrayArea>(tray));
    login->SetMainWindow(main.get());
    login->Start();
    login->show();
    return *login;
  }

  void Click(int area) { QTest::mouseClick(login.get(), Qt::LeftButton, {}, Centre(area)); }
  void LogInWith(const QString& password) {
    login->PasswordBox().setText(password);
    QTest::keyClick(&login->PasswordBox(), Qt::Key_Return);
  }
  QString Name() const { return login->NameLabel().text(); }

  test::TempDir dir;
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  std::unique_ptr<AppContext> app;
  test::FakeTrayArea::State tray;
  test::FakeTrayArea::State mainTray;
  ScriptedMessageBoxes boxes;
  std::unique_ptr<CDlgMain> main;
  std::unique_ptr<CDlgLogin> login;
};

TEST_F(LoginTest, AnEmptyDatabaseLetsNobodyInAndHasNobodyToDelete) {
  CDlgLogin& w = Open();
  EXPECT_EQ(Name().trimmed(), "");
  EXPECT_EQ(w.windowTitle(), "Login");
  EXPECT_EQ(w.size(), QSize(kLoginWidth, kLoginHeight));
  EXPECT_EQ(w.VersionLabel().text(), "V 1.27");
  EXPECT_EQ(tray.toolTip, "Double click to activate Tempovia");
  LogInWith("");
  LogInWith("guess");
  Click(kLoginLogIn);
  Click(kLoginDeleteUser);
  EXPECT_THAT(boxes.Texts(), ElementsAre("Please enter password to login", "Incorrect Login",
                                         "Please enter password to login", "No User Record"));
  EXPECT_EQ(boxes.Boxes()[0].icon, NoticeIcon::Warning);
  EXPECT_EQ(boxes.Boxes()[1].icon, NoticeIcon::Information);
  EXPECT_EQ(boxes.Boxes()[3].icon, NoticeIcon::Warning);
  // After each refusal the box is empty and has the focus again.
  EXPECT_TRUE(w.PasswordBox().text().isEmpty());
  EXPECT_FALSE(w.IsLoggedIn());
}

TEST_F(LoginTest, TheArrowsWrapRoundOneUserAndThreeUsers) {
  AddUsers({{"Ann", "a"}});
  Open();
  EXPECT_EQ(Name(), "  Ann");
  Click(kLoginNextUser);
  EXPECT_EQ(Name(), "  Ann");
  Click(kLoginPreviousUser);
  EXPECT_EQ(Name(), "  Ann");
  login.reset();
  main.reset();

  AddUsers({{"Ben", "b"}, {"Cy", "c"}});
  Open();
  Click(kLoginPreviousUser);
  EXPECT_EQ(Name(), "  Cy");
  Click(kLoginNextUser);
  EXPECT_EQ(Name(), "  Ann");
  Click(kLoginNextUser);
  Click(kLoginNextUser);
  EXPECT_EQ(Name(), "  Cy");
  EXPECT_EQ(main->Users().Current().name, "Cy");
}

TEST_F(LoginTest, ThePasswordMustMatchToTheLetter) {
  AddUsers({{"Ann", "Secret"}});
  CDlgLogin& w = Open();
  QSignalSpy finished(&w, &QDialog::finished);
  LogInWith("secret");
  EXPECT_THAT(boxes.Texts(), ElementsAre("Incorrect Login"));
  EXPECT_EQ(finished.count(), 0);
  LogInWith("Secret");
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), CDlgLogin::kLoggedInResult);
  EXPECT_TRUE(w.IsLoggedIn());
  EXPECT_EQ(main->Users().Current().name, "Ann");
}

TEST_F(LoginTest, DeletingAskThePasswordAndShowsTheFirstUserLeft) {
  AddUsers({{"Ann", "a"}, {"Ben", "b"}});
  CDlgLogin& w = Open();
  Click(kLoginNextUser);
  std::vector<std::optional<QString>> answers{QStringLiteral("wrong"), std::nullopt, QStringLiteral("b")};
  w.askPassword = [&] {
    const std::optional<QString> answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  Click(kLoginDeleteUser);  // wrong
  Click(kLoginDeleteUser);  // cancelled: nothing, not even a message
  EXPECT_THAT(boxes.Texts(), ElementsAre("Invalid Password"));
  EXPECT_EQ(main->Users().GetCount(), 2);
  Click(kLoginDeleteUser);
  EXPECT_THAT(boxes.Texts(), ElementsAre("Invalid Password", "User Record Deleted"));
  EXPECT_EQ(boxes.Boxes().back().icon, NoticeIcon::None);
  EXPECT_EQ(main->Users().GetCount(), 1);
  EXPECT_EQ(Name(), "  Ann");
}

TEST_F(LoginTest, ANewUserMadeHereIsTheOneShown) {
  AddUsers({{"Ann", "a"}});
  CDlgLogin& w = Open();
  w.runNewUser = [this] {
    // What the editor in create mode does on Save.
    UserData& users = main->Users();
    users.Current() = LocalUserRecord{};
    users.Current().name = "Dora";
    users.Current().password = "d";
    return AddUser(users, app->Paths()).ok();
  };
  Click(kLoginNewUser);
  EXPECT_EQ(Name(), "  Dora");
  LogInWith("d");
  EXPECT_TRUE(w.IsLoggedIn());
}

TEST_F(LoginTest, EscapeAndTheTraysExitEndTheProgram) {
  for (int how = 0; how < 2; ++how) {
    CDlgLogin& w = Open();
    QSignalSpy finished(&w, &QDialog::finished);
    if (how == 0) {
      QTest::keyClick(&w, Qt::Key_Escape);
    } else {
      emit w.Tray().Command(kTrayExitCommand);
    }
    ASSERT_EQ(finished.count(), 1) << how;
    EXPECT_EQ(finished.at(0).at(0).toInt(), CDlgLogin::kCancelResult);
    EXPECT_FALSE(w.IsLoggedIn());
  }
}

TEST_F(LoginTest, StartedInTheTrayItHidesAndWithoutATrayItStaysMinimised) {
  {
    main = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(mainTray));
    main->LoadDataStore();
    login = std::make_unique<CDlgLogin>(std::make_unique<test::FakeTrayArea>(tray));
    login->SetMainWindow(main.get());
    login->SetStartInTray(true);
    login->Start();
    login->show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !login->isVisible(); }, 5000));
    emit login->Tray().Command(kTrayShowCommand);
    EXPECT_TRUE(login->isVisible());
  }
  login.reset();
  tray.available = false;
  login = std::make_unique<CDlgLogin>(std::make_unique<test::FakeTrayArea>(tray));
  login->SetMainWindow(main.get());
  login->SetStartInTray(true);
  login->Start();
  login->show();
  EXPECT_TRUE(login->isVisible());
  EXPECT_TRUE(login->windowState() & Qt::WindowMinimized);
  EXPECT_THAT(boxes.Texts(), ElementsAre("Can't Setup Tray ICON"));
}

TEST_F(LoginTest, TheWatchComingAndGoingMakesAndDropsTheDriverWithoutALogout) {
  CDlgLogin& w = Open();
  ASSERT_NE(app->Watch().Driver(), nullptr);  // made when the window opened
  QSignalSpy finished(&w, &QDialog::finished);
  w.OnDeviceChange({kDeviceRemoveComplete, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  EXPECT_EQ(app->Watch().Driver(), nullptr);
  w.OnDeviceChange({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  EXPECT_NE(app->Watch().Driver(), nullptr);
  EXPECT_EQ(finished.count(), 0);
  EXPECT_TRUE(w.isVisible());
}

TEST(SingleInstance, ASecondHolderIsRefusedAndALockLeftByTheFirstIsTakenOver) {
  QTemporaryDir folder;
  auto first = std::make_unique<SingleInstance>(folder.path());
  EXPECT_TRUE(first->IsFirst());
  EXPECT_FALSE(SingleInstance(folder.path()).IsFirst());
  first.reset();
  EXPECT_TRUE(SingleInstance(folder.path()).IsFirst());
}

}  // namespace
}  // namespace tempovia
