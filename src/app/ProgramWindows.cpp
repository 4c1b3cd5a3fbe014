#include "app/ProgramWindows.h"

#include <memory>

#include "app/DlgLogin.h"
#include "app/DlgMain.h"
#include "skin/WindowCommands.h"
#include "workspace/LoginCycle.h"

namespace tempovia {
namespace {

class MainWindowRun final : public LoginCycle::MainWindow {
 public:
  MainWindowRun(AppContext& app, const Termination& termination) : m_window(app), m_termination(termination) {}
  void LoadDataStore() override { m_window.LoadDataStore(); }
  int Run() override {
    const int result = m_termination.Requested() ? kExitResult : m_window.exec();
    return m_termination.Requested() ? kExitResult : result;
  }

 private:
  CDlgMain m_window;
  const Termination& m_termination;
};

class LoginRun final : public LoginCycle::LoginWindow {
 public:
  LoginRun(AppContext& app, bool startInTray, const Termination& termination)
      : m_dialog(app), m_termination(termination) {
    m_dialog.SetStartInTray(startInTray);
  }
  int Run() override {
    const int result = m_termination.Requested() ? kCancelResult : m_dialog.exec();
    return m_termination.Requested() ? kCancelResult : result;
  }
  bool IsLoggedIn() const override { return m_dialog.IsLoggedIn(); }

 private:
  CDlgLogin m_dialog;
  const Termination& m_termination;
};

}  // namespace

void RunProgramWindows(AppContext& context, const Termination& termination, bool startInTray) {
  LoginCycle::Run(
      startInTray, [&] { return std::make_unique<MainWindowRun>(context, termination); },
      [&context, &termination](LoginCycle::MainWindow&, bool inTray) {
        return std::make_unique<LoginRun>(context, inTray, termination);
      });
}

}  // namespace tempovia
