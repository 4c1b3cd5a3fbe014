#include "workspace/LoginCycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace tempovia {
namespace {

using ::testing::ElementsAre;

// Scripted windows that write down their lives.
struct Script {
  std::deque<int> mainResults;
  std::deque<std::pair<int, bool>> loginResults;  // result, logged in
  std::vector<std::string> events;
  int mainsAlive = 0;
  int loginsAlive = 0;
  int mainsMade = 0;
};

class FakeMain final : public LoginCycle::MainWindow {
 public:
  FakeMain(Script& script, int number) : m_script(script), m_number(number) {
    ++m_script.mainsAlive;
    m_script.events.push_back("main " + std::to_string(m_number) + " made");
  }
  ~FakeMain() override {
    --m_script.mainsAlive;
    m_script.events.push_back("main " + std::to_string(m_number) + " gone");
  }
  void LoadDataStore() override { m_script.events.push_back("main " + std::to_string(m_number) + " loads"); }
  int Run() override {
    const int result = m_script.mainResults.front();
    m_script.mainResults.pop_front();
    m_script.events.push_back("main " + std::to_string(m_number) + " ends " + std::to_string(result));
    return result;
  }

 private:
  Script& m_script;
  int m_number;
};

class FakeLogin final : public LoginCycle::LoginWindow {
 public:
  FakeLogin(Script& script, bool tray) : m_script(script) {
    ++m_script.loginsAlive;
    m_script.events.push_back(tray ? "login in tray" : "login");
  }
  ~FakeLogin() override { --m_script.loginsAlive; }
  int Run() override {
    const auto [result, loggedIn] = m_script.loginResults.front();
    m_script.loginResults.pop_front();
    m_loggedIn = loggedIn;
    return result;
  }
  bool IsLoggedIn() const override { return m_loggedIn; }

 private:
  Script& m_script;
  bool m_loggedIn = false;
};

bool RunCycle(Script& script, bool tray) {
  return LoginCycle::Run(
      tray, [&script] { return std::make_unique<FakeMain>(script, ++script.mainsMade); },
      [&script](LoginCycle::MainWindow&, bool startInTray) {
        return std::make_unique<FakeLogin>(script, startInTray);
      });
}

TEST(LoginCycle, ALogoutBuildsAFreshMainWindowAndOnlyTheFirstLoginStartsInTheTray) {
  Script script;
  script.loginResults = {{1, true}, {1, true}};
  script.mainResults = {kLogoutResult, kExitResult};
  EXPECT_FALSE(RunCycle(script, true));
  EXPECT_THAT(script.events, ElementsAre("main 1 made", "main 1 loads", "login in tray", "main 1 ends 2", "main 1 gone",
                                         "main 2 made", "main 2 loads", "login", "main 2 ends 57665", "main 2 gone"));
  EXPECT_EQ(script.mainsAlive, 0);
  EXPECT_EQ(script.loginsAlive, 0);
}

TEST(LoginCycle, ALoginWindowLeftWithoutALoginIsReplacedAndTheMainWindowSurvives) {
  Script script;
  script.loginResults = {{1, false}, {1, false}, {1, true}};
  script.mainResults = {kExitResult};
  EXPECT_FALSE(RunCycle(script, false));
  EXPECT_THAT(script.events, ElementsAre("main 1 made", "main 1 loads", "login", "login", "login", "main 1 ends 57665",
                                         "main 1 gone"));
}

TEST(LoginCycle, CancellingTheLoginEndsTheProgramAlsoAfterLogouts) {
  Script script;
  script.loginResults = {{1, true}, {1, true}, {kCancelResult, false}};
  script.mainResults = {kLogoutResult, kLogoutResult};
  EXPECT_FALSE(RunCycle(script, false));
  EXPECT_EQ(script.mainsMade, 3);
  EXPECT_EQ(script.events.back(), "main 3 gone");
  EXPECT_EQ(script.mainsAlive, 0);
  EXPECT_EQ(script.loginsAlive, 0);
}

TEST(LoginCycle, AnyOtherResultLeavesTheCycleWithEveryWindowGoneOnce) {
  Script script;
  script.loginResults = {{1, true}};
  script.mainResults = {1};  // Enter outside the note field
  EXPECT_TRUE(RunCycle(script, false));
  EXPECT_EQ(std::count(script.events.begin(), script.events.end(), "main 1 gone"), 1);
  EXPECT_EQ(script.mainsAlive, 0);
  // No main window at all: nothing is shown.
  EXPECT_TRUE(LoginCycle::Run(
      false, [] { return std::unique_ptr<LoginCycle::MainWindow>(); },
      [](LoginCycle::MainWindow&, bool) -> std::unique_ptr<LoginCycle::LoginWindow> {
        ADD_FAILURE() << "no login without a main window";
        return nullptr;
      }));
}

TEST(LoginCycle, TrayIsFoundAnywhereInTheCommandLineInAnyCase) {
  EXPECT_TRUE(StartsInTray(LoweredCommandLine({"/usr/bin/tempovia", "-tray"})));
  EXPECT_TRUE(StartsInTray(LoweredCommandLine({"tempovia", "-TRAY"})));
  EXPECT_TRUE(StartsInTray(LoweredCommandLine({"tempovia", "--start-Tray-now"})));
  EXPECT_FALSE(StartsInTray(LoweredCommandLine({"tempovia", "tray", "--simulate-watch"})));
  EXPECT_EQ(LoweredCommandLine({"Tempovia", "--Home", "/Data"}), "tempovia --home /data");
}

}  // namespace
}  // namespace tempovia
