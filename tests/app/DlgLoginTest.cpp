#include "app/DlgLogin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "FakeTrayArea.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "app/SingleInstance.h"
#include "app/WindowPlace.h"
#include "base/testing/FakeClock.h"
#include "device/SimulatedWatch.h"
#include "trace/testing/TraceCapture.h"
#include "users/UserRules.h"
#include "widgets/Label.h"
#include "widgets/MessageBoxNoticeSink.h"
#include "widgets/TrayNotifyIcon.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

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

  // As the login cycle opens it: the main window is made and loads the data
  // store first.
  CDlgLogin& Open(bool startInTray = false) {
    // The login window speaks to its main window until it is gone: a second
    // Open must not leave it pointing at a main window already destroyed.
    login.reset();
    main = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(mainTray));
    main->LoadDataStore();
    login = std::make_unique<CDlgLogin>(*app, std::make_unique<test::FakeTrayArea>(tray));
    login->SetStartInTray(startInTray);
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
    EXPECT_EQ(finished.at(0).at(0).toInt(), kCancelResult);
    EXPECT_FALSE(w.IsLoggedIn());
  }
}

TEST_F(LoginTest, StartedInTheTrayItHidesAndWithoutATrayItStaysMinimised) {
  Open(true);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !login->isVisible(); }, 5000));
  emit login->Tray().Command(kTrayShowCommand);
  EXPECT_TRUE(login->isVisible());
  tray.available = false;
  Open(true);
  EXPECT_TRUE(login->isVisible());
  EXPECT_TRUE(login->windowState() & Qt::WindowMinimized);
  EXPECT_THAT(boxes.Texts(), ElementsAre("Can't Setup Tray ICON"));
}

// The main window is made (and its data store loaded) before the login
// window, as the program does; only the login window hears the watch.
TEST_F(LoginTest, TheWatchComingAndGoingAtTheLoginWindowLogsNobodyOutAndBringsItForward) {
  AddUsers({{"Ann", "a"}});
  CDlgLogin& w = Open();
  ASSERT_NE(app->Watch().Driver(), nullptr);  // made when the window opened
  QSignalSpy loginFinished(&w, &QDialog::finished);
  QSignalSpy mainFinished(main.get(), &QDialog::finished);
  app->Devices().Deliver({kDeviceRemoveComplete, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->Watch().Driver() == nullptr; }, 10000));
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->Watch().Driver() != nullptr; }, 10000));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(loginFinished.count(), 0);
  EXPECT_EQ(mainFinished.count(), 0);
  EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join("|").toStdString();
  // Logging in then works as ever.
  LogInWith("a");
  EXPECT_TRUE(w.IsLoggedIn());
}

TEST_F(LoginTest, StartedInTheTrayItWaitsThereUntilSomebodyLogsIn) {
  AddUsers({{"Ann", "a"}});
  main = std::make_unique<CDlgMain>(*app, std::make_unique<test::FakeTrayArea>(mainTray));
  main->LoadDataStore();
  login = std::make_unique<CDlgLogin>(*app, std::make_unique<test::FakeTrayArea>(tray));
  login->SetStartInTray(true);
  // Looks from the window's own loop until it has hidden itself, then
  // shows it from the tray and logs in; no loop of the test's own in between.
  QTimer look;
  bool waitedHidden = false;
  QObject::connect(&look, &QTimer::timeout, login.get(), [&] {
    if (login->isVisible()) return;
    look.stop();
    waitedHidden = true;
    emit login->Tray().Command(kTrayShowCommand);
    LogInWith("a");
  });
  look.start(5);
  EXPECT_EQ(login->exec(), kLoggedInResult);
  EXPECT_TRUE(waitedHidden);
}

TEST_F(LoginTest, TheWatchPluggedInShowsALoginWindowHiddenInTheTray) {
  Open(true);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !login->isVisible(); }, 10000));
  app->Watch().Destroy();
  app->Devices().Deliver({kDeviceArrival, kDeviceTypeInterface, SimulatedWatch::kBridgePath});
  ASSERT_TRUE(QTest::qWaitFor([this] { return login->isVisible(); }, 10000));
  EXPECT_NE(app->Watch().Driver(), nullptr);
  EXPECT_FALSE(login->isMinimized());
}

// The watch can come back between a minimise and the hide it leaves waiting
// for the event loop: the window brought forward must not then vanish.
TEST(WindowPlace, AHideLeftWaitingByAMinimiseIsDroppedWhenTheWindowComesForwardFirst) {
  QWidget window;
  window.resize(200, 100);
  window.showMinimized();
  HideWindow(window);
  BringWindowForward(window);
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());

  // Nothing in between: it goes, and comes back normal.
  window.showMinimized();
  HideWindow(window);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 10000));
  EXPECT_FALSE(window.isMinimized());
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
